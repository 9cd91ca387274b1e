// The DSB reader and its import on arbitrary files, with cancelling and layout refusal in play.
#include "dsbfile.h"
#include "fuzz_input_file.h"
#include "fuzz_progress.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto set = std::make_unique<tCGH_DataSet>();
    const uint8_t mode = size ? data[0] : 0;
    if (mode & 0x10) { // a fresh start now and then, so imports are not all refused
        for (auto& h : set->Hyb) h.FileName.clear();
        set->HNum = 0;
    }
    CancelAt progress((mode & 0x20) ? (mode >> 6) : -1);
    DSBData dsb;
    std::string error;
    const bool read = ReadDSBDataFile(WriteFuzzInput(data, size), dsb, &progress, error);
    if (read != error.empty()) __builtin_trap(); // success without error text, failure with one
    if (!read) return 0;
    const int before = set->HNum;
    const size_t reportLines = dsb.Warning.empty() ? 26 : 27;
    MemoryLog log;
    const int slot = ImportDSBData(*set, std::move(dsb), &log, error);
    if ((slot == 0) == error.empty()) __builtin_trap();
    if (slot == 0 && set->HNum != before) __builtin_trap();
    if (slot != 0 && log.lines.size() != reportLines) __builtin_trap();
    return 0;
}
