// File access checked as an ordinary user's, also when the tests run as root.
#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// While it lives, this thread's file access is checked as a user's other than root: a file-system
// user id other than 0 takes root's file capabilities away.
class OrdinaryUser {
  public:
    OrdinaryUser() {
        if (::geteuid() == 0) previous_ = ::setfsuid(65534);
    }
    ~OrdinaryUser() {
        if (previous_ >= 0) ::setfsuid(uid_t(previous_));
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

  private:
    int previous_ = -1;
};
