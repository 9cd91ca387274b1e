#include "cghmatrixfile.h"

#include "cghtransforms.h"
#include "ordinaryuser.h"
#include "testfiles.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

namespace fs = std::filesystem;

// ---- the file layout, field by field ----

std::string U32(uint32_t v) {
    return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}
std::string Text(std::string_view s) {
    return U32(uint32_t(s.size())) + std::string(s);
}
std::string Record(const std::string& body) {
    return U32(uint32_t(body.size())) + body;
}
std::string TextRecord(std::string_view s) {
    return Record(Text(s));
}
std::string Block(const float (&f)[20]) {
    std::string b;
    for (float v : f) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        b += U32(bits);
    }
    return b;
}

float Value(int h, int c, int i, int slot) {
    return float(h * 100000 + c * 1000 + i * 10) + slot * 0.25f;
}

// A data set whose hybridisations 1..hnum hold `counts[c]` probes per chromosome, every stored
// slot a value that names its place.
std::unique_ptr<tCGH_DataSet> MakeSet(int hnum, const std::array<int, kChromosomes + 1>& counts) {
    auto d = std::make_unique<tCGH_DataSet>();
    ClearCGHDataSet(*d);
    d->HNum = hnum;
    for (int c = 1; c <= kChromosomes; ++c) {
        const int n = counts[c];
        d->Oligo[c].resize(size_t(n) + 10);
        d->Oligo[c][0].Num[0] = float(n);
        for (int i = 1; i <= n; ++i) {
            d->Oligo[c][i].Str[1] = "P" + std::to_string(c) + "_" + std::to_string(i);
            d->Oligo[c][i].Str[2] = "chr" + std::to_string(c);
        }
        for (int h = 1; h <= hnum; ++h) {
            auto& a = d->Hyb[h].Chr[c];
            a.Resize(n + 10);
            a.SetCount(n);
            for (int i = 1; i <= n; ++i)
                for (int s = 1; s <= 20; ++s) a.Set(s, i, Value(h, c, i, s));
        }
    }
    for (int h = 1; h <= hnum; ++h) {
        d->Hyb[h].FileName = "n" + std::to_string(h) + ".txt";
        d->Annotation[h][1] = d->Hyb[h].FileName;
    }
    return d;
}

std::array<int, kChromosomes + 1> Counts(std::initializer_list<std::pair<int, int>> chrCounts) {
    std::array<int, kChromosomes + 1> n{};
    for (auto [c, k] : chrCounts) n[c] = k;
    return n;
}

// Everything a reader could touch, as one comparable string.
std::string Fingerprint(const tCGH_DataSet& d) {
    std::string s;
    auto raw = [&s](const auto& v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); };
    auto text = [&](const std::string& t) {
        raw(t.size());
        s += t;
    };
    raw(d.HNum), raw(d.CNum), raw(d.DataType), raw(d.Gain);
    for (int h = 0; h <= kMaxHybridisations; ++h) {
        text(d.Hyb[h].FileName);
        raw(d.Hyb[h].Active);
        for (const auto& a : d.Annotation[h]) text(a);
        for (int c = 1; c <= kChromosomes; ++c) {
            const auto& a = d.Hyb[h].Chr[c];
            raw(a.Size());
            for (int slot : {0, 1, 4, 11, 20, 40})
                if (a.Size() > 0)
                    s.append(reinterpret_cast<const char*>(a.Slot(slot)), a.Size() * 4);
        }
    }
    for (int c = 1; c <= kChromosomes; ++c)
        for (const auto& o : d.Oligo[c]) {
            raw(o.Num);
            for (const auto& t : o.Str) text(t);
        }
    for (const auto& r : d.RecentFiles) text(r);
    return s;
}

// A data set that a failed read must leave exactly as it was.
std::unique_ptr<tCGH_DataSet> OldSet() {
    auto d = MakeSet(3, Counts({{2, 4}, {24, 1}}));
    d->Hyb[2].Active = 1;
    d->Annotation[0][5] = "Old key";
    d->Annotation[3][5] = "v";
    d->RecentFiles[1] = "recent.cgm";
    d->DataType = 2;
    d->Gain = 3;
    return d;
}

class CGHMatrixFile : public FileTest {
  protected:
    // Reading `bytes` fails with a text containing `reason` and changes nothing.
    void ExpectRejected(const std::string& bytes, const std::string& reason) {
        auto d = OldSet();
        const std::string before = Fingerprint(*d);
        const auto version = DataVersion;
        std::string error;
        EXPECT_FALSE(ReadCGHMatrix(*d, Put("bad.cgm", bytes), nullptr, nullptr, error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(Fingerprint(*d), before);
        EXPECT_EQ(DataVersion, version);
    }
};

// The small file of two hybridisations and three probes on chromosome 1, field by field.
std::string SmallFileBytes(const std::string& keys = TextRecord("Sex\tm\tf")) {
    std::string f = TextRecord("JX-QB_V1.001") + TextRecord("CNum\t24") + TextRecord("HNum\t2");
    for (int c = 1; c <= 24; ++c)
        f += TextRecord("ONum" + std::to_string(c) + "\t" + (c == 1 ? "3" : "0"));
    f += TextRecord("File names\tn1.txt\tn2.txt") + keys + TextRecord("////");
    for (int i = 1; i <= 3; ++i) {
        std::string body = Text("P1_" + std::to_string(i) + "\tchr1\t\t\t");
        for (int h = 1; h <= 2; ++h) {
            float f20[20];
            for (int s = 1; s <= 20; ++s) f20[s - 1] = Value(h, 1, i, s);
            body += Block(f20);
        }
        f += Record(body);
    }
    return f;
}

std::unique_ptr<tCGH_DataSet> SmallSet() {
    auto d = MakeSet(2, Counts({{1, 3}}));
    d->Annotation[0][3] = "  Sex "; // key 2 empty: only "Sex" is written
    d->Annotation[1][3] = "m";
    d->Annotation[2][3] = "f";
    return d;
}

TEST_F(CGHMatrixFile, WritesTheRecordsByteForByte) {
    auto d = SmallSet();
    d->CNum = 7;
    MemoryLog log;
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("s.cgm"), nullptr, &log, error)) << error;
    EXPECT_EQ(Get(Path("s.cgm")), SmallFileBytes());
    EXPECT_EQ(d->CNum, 24);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(log.lines[0].ends_with("s elapsed time"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1); // no temporary file left
}

// A save refuses a file the user made read-only, writes through a link, keeps the permissions
// of the file it replaces and takes any name the folder does.
TEST_F(CGHMatrixFile, SavesKeepWhatTheUserProtectedOrLinked) {
    auto d = SmallSet();
    std::string error;
    const std::string locked = Put("locked.cgm", "old");
    fs::permissions(locked, fs::perms(0444));
    {
        const OrdinaryUser user;
        EXPECT_FALSE(WriteCGHMatrix(*d, locked, nullptr, nullptr, error));
    }
    EXPECT_EQ(error, "Cannot write file: " + locked + " (Permission denied)");
    EXPECT_EQ(Get(locked), "old");

    const std::string own = Put("own.cgm", "old");
    fs::permissions(own, fs::perms(0600));
    fs::create_symlink("own.cgm", Path("link.cgm"));
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("link.cgm"), nullptr, nullptr, error)) << error;
    EXPECT_TRUE(fs::is_symlink(Path("link.cgm")));
    EXPECT_EQ(Get(own), SmallFileBytes());
    EXPECT_EQ(fs::status(own).permissions(), fs::perms(0600));

    const std::string longest = Path(std::string(246, 'n') + ".cgm");
    ASSERT_TRUE(WriteCGHMatrix(*d, longest, nullptr, nullptr, error)) << error;
    EXPECT_EQ(Get(longest), SmallFileBytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4); // no temporary file left
}

TEST_F(CGHMatrixFile, ReadsTheSmallFile) {
    auto d = OldSet();
    MemoryLog log;
    std::string error;
    ASSERT_TRUE(ReadCGHMatrix(*d, Put("s.cgm", SmallFileBytes()), nullptr, &log, error)) << error;
    EXPECT_EQ(d->HNum, 2);
    EXPECT_EQ(d->CNum, 24);
    EXPECT_EQ(d->Hyb[2].FileName, "n2.txt");
    EXPECT_EQ(d->Annotation[2][1], "n2.txt");
    EXPECT_EQ(d->Annotation[0][2], "Sex"); // keys land from 2 on, in file order
    EXPECT_EQ(d->Annotation[2][2], "f");
    for (int h = 1; h <= 2; ++h) {
        const auto& a = d->Hyb[h].Chr[1];
        ASSERT_EQ(a.Count(), 3);
        EXPECT_EQ(a.Size(), 13);
        for (int i = 1; i <= 3; ++i) {
            for (int s = 1; s <= 20; ++s) EXPECT_EQ(a.Get(s, i), Value(h, 1, i, s));
            EXPECT_EQ(a.Get(40, i), a.Get(4, i));
        }
        EXPECT_EQ(d->Hyb[h].Chr[2].Count(), 0);
        EXPECT_EQ(d->Hyb[h].Chr[24].Size(), 10);
    }
    EXPECT_EQ(OligoCount(d->Oligo[1]), 3);
    EXPECT_EQ(d->Oligo[1][2].Str[1], "P1_2");
    EXPECT_EQ(d->Oligo[1][2].Num[3], Value(1, 1, 2, 3));
    EXPECT_EQ(OligoCount(d->Oligo[24]), 0); // the old probes of chromosome 24 are gone
    // Beyond what the file holds, the reader leaves the data set alone.
    EXPECT_EQ(d->Hyb[3].FileName, "n3.txt");
    EXPECT_EQ(d->Annotation[0][5], "Old key");
    EXPECT_EQ(d->Hyb[2].Active, 1);
    ASSERT_EQ(log.lines.size(), 1u);
}

TEST_F(CGHMatrixFile, RoundTripsSlotsKeysAndTexts) {
    // Chromosome 1 spans several batches of records, each shared out among threads.
    auto d = MakeSet(50, Counts({{1, 2500}, {7, 1}, {23, 2}, {24, 3}}));
    d->Hyb[4].FileName = "with \"quotes\"\tand tab.txt";
    d->Annotation[0][2] = "Group";
    d->Annotation[0][60] = "   "; // a blank name still carries its values
    d->Annotation[5][60] = "kept";
    d->Annotation[0][100] = "Last \"key\"";
    d->Annotation[7][100] = "a\tb";
    d->Annotation[50][2] = "\"";
    d->Oligo[7][1].Str[1] = "\"quoted";
    d->Oligo[7][1].Str[5] = "tab\there";
    d->Hyb[9].Chr[23].Set(17, 2, 1.0f);
    d->Hyb[9].Chr[23].Set(5, 1, -1e-30f);
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("r.cgm"), nullptr, nullptr, error)) << error;
    auto r = std::make_unique<tCGH_DataSet>();
    ASSERT_TRUE(ReadCGHMatrix(*r, Path("r.cgm"), nullptr, nullptr, error)) << error;

    EXPECT_EQ(r->HNum, 50);
    EXPECT_EQ(r->Hyb[4].FileName, "with \"quotes\" and tab.txt");
    EXPECT_EQ(r->Annotation[0][2], "Group");
    EXPECT_EQ(r->Annotation[0][3], "");
    EXPECT_EQ(r->Annotation[5][3], "kept");
    EXPECT_EQ(r->Annotation[0][4], "Last \"key\"");
    EXPECT_EQ(r->Annotation[7][4], "a b");
    EXPECT_EQ(r->Annotation[50][2], "\"");
    EXPECT_EQ(r->Oligo[7][1].Str[1], "\"quoted");
    EXPECT_EQ(r->Oligo[7][1].Str[5], "tab here");
    EXPECT_EQ(r->Oligo[24][3].Str[1], "P24_3");
    for (int h = 1; h <= 50; ++h)
        for (int c = 1; c <= kChromosomes; ++c) {
            const auto& a = d->Hyb[h].Chr[c];
            const auto& b = r->Hyb[h].Chr[c];
            ASSERT_EQ(b.Count(), a.Count()) << h << "/" << c;
            for (int i = 1; i <= a.Count(); ++i)
                for (int s = 1; s <= 20; ++s) ASSERT_EQ(b.Get(s, i), a.Get(s, i));
        }
    EXPECT_EQ(r->Hyb[9].Chr[23].Get(5, 1), -1e-30f);
}

TEST_F(CGHMatrixFile, SavesProbesOfAShorterHybridisationAsZeros) {
    auto d = MakeSet(2, Counts({{1, 3}}));
    d->Hyb[2].Chr[1].Resize(2); // only probe 1 left
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("z.cgm"), nullptr, nullptr, error)) << error;
    auto r = std::make_unique<tCGH_DataSet>();
    ASSERT_TRUE(ReadCGHMatrix(*r, Path("z.cgm"), nullptr, nullptr, error)) << error;
    EXPECT_EQ(r->Hyb[2].Chr[1].Get(4, 1), Value(2, 1, 1, 4));
    EXPECT_EQ(r->Hyb[2].Chr[1].Get(4, 3), 0.0f);
}

// Inversion gives the slots that were never written no column: they read -0, and so do the
// other probes of the column a later write gives them. Slots that read one column still do. The
// save holds the bytes of the same set with every probe negated one by one.
TEST_F(CGHMatrixFile, SavesAnInvertedSetWithItsEmptySlotsAsMinusZero) {
    auto make = [] {
        auto d = MakeSet(2, Counts({{1, 3}, {24, 2}}));
        for (int h = 1; h <= 2; ++h)
            for (auto& a : d->Hyb[h].Chr) {
                for (int s : {5, 9, 12, 13, 14, 18, 19, 20}) a.SetColumn(s, nullptr);
                a.ShareSlot(4, 11); // as a load leaves them
                a.ShareSlot(4, 40);
            }
        return d;
    };
    auto d = make();
    InvertHybridisations(*d, nullptr);
    auto expected = make();
    for (int h = 1; h <= 2; ++h)
        for (auto& a : expected->Hyb[h].Chr)
            for (int s = 4; s <= 20; ++s)
                if (s < 15 || s > 17)
                    for (int i = 1; i <= a.Count(); ++i) a.Set(s, i, -a.Get(s, i));
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("i.cgm"), nullptr, nullptr, error)) << error;
    ASSERT_TRUE(WriteCGHMatrix(*expected, Path("e.cgm"), nullptr, nullptr, error)) << error;
    EXPECT_EQ(Get(Path("i.cgm")), Get(Path("e.cgm")));

    tCGHProbeArray& a = d->Hyb[2].Chr[1];
    EXPECT_FALSE(a.Allocated(12));
    EXPECT_TRUE(std::signbit(a.Get(12, 2)));
    EXPECT_EQ(a.Slot(11), a.Slot(4));
    EXPECT_EQ(a.Slot(40), a.Slot(4));
    a.Set(12, 1, 2.0f);
    EXPECT_TRUE(std::signbit(a.Get(12, 2)));
}

TEST_F(CGHMatrixFile, EveryTruncationIsRejected) {
    const std::string full = SmallFileBytes();
    for (size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        auto d = OldSet();
        const std::string before = Fingerprint(*d);
        std::string error;
        EXPECT_FALSE(ReadCGHMatrix(*d, Put("t.cgm", full.substr(0, n)), nullptr, nullptr, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Fingerprint(*d), before);
    }
    // Bytes after the last probe record are left unread: the counts say where the probes end.
    auto d = OldSet();
    std::string error;
    EXPECT_TRUE(
        ReadCGHMatrix(*d, Put("tail.cgm", full + std::string(7, '\0')), nullptr, nullptr, error))
        << error;
    EXPECT_EQ(d->Hyb[2].Chr[1].Get(4, 3), Value(2, 1, 3, 4));
}

// Slot values that exercise how the reader stores columns, across tiles of records and windows
// of the file: slot 5 is -0 (not zero), 6 zero, 7 equal to 4, 8 equal to 4 until probe 3000, 9
// and 10 zero until probe 4000 and equal after it, 11 NaN now and then, 12 zero in the first tile
// of 64 probes and equal to 4 after it; hybridisation 7's positions part from the others' at
// probe 4500.
float Shaped(int h, int c, int i, int s) {
    const float v = float(h * 7 + c) + float(i % 97) * 0.125f;
    switch (s) {
    case 1:
        return float(c);
    case 2:
        return float(i * 100 + (h == 7 && i >= 4500));
    case 3:
        return float(i * 100 + 60);
    case 4:
    case 7:
        return v;
    case 5:
        return -0.0f;
    case 8:
        return i < 3000 ? v : v + 1;
    case 9:
    case 10:
        return i < 4000 ? 0.0f : float(i);
    case 11:
        return i % 50 == 0 ? std::numeric_limits<float>::quiet_NaN() : v * 2;
    case 12:
        return i > 64 ? v : 0.0f;
    case 17:
        return 1.0f;
    default:
        return 0.0f;
    }
}

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}

TEST_F(CGHMatrixFile, LargeFilesKeepTheirBytesValuesAndSharedColumns) {
    // 50 hybridisations of 5,000 probes: two windows of records; chromosomes of 0, 1 and a tile
    // and one probes; hybridisation 2 shorter than hybridisation 1 on chromosome 24.
    const auto counts = Counts({{1, 5000}, {2, 1}, {24, 65}});
    auto d = MakeSet(50, counts);
    for (int h = 1; h <= 50; ++h)
        for (int c = 1; c <= kChromosomes; ++c) {
            auto& a = d->Hyb[h].Chr[c];
            for (int i = 1; i <= counts[c]; ++i)
                for (int s = 1; s <= 20; ++s) a.Set(s, i, Shaped(h, c, i, s));
        }
    d->Hyb[2].Chr[24].Resize(60);
    d->Oligo[1][17].Str[3] = "a\ttab";
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("big.cgm"), nullptr, nullptr, error)) << error;

    std::string names = "File names";
    for (int h = 1; h <= 50; ++h) names += "\tn" + std::to_string(h) + ".txt";
    std::string expected =
        TextRecord("JX-QB_V1.001") + TextRecord("CNum\t24") + TextRecord("HNum\t50");
    for (int c = 1; c <= 24; ++c)
        expected += TextRecord("ONum" + std::to_string(c) + "\t" + std::to_string(counts[c]));
    expected += TextRecord(names) + TextRecord("////");
    for (int c = 1; c <= 24; ++c)
        for (int i = 1; i <= counts[c]; ++i) {
            const auto& str = d->Oligo[c][size_t(i)].Str;
            std::string body =
                Text(str[1] + "\t" + str[2] + "\t" + (i == 17 && c == 1 ? "a tab" : "") + "\t\t");
            for (int h = 1; h <= 50; ++h) {
                const auto& a = d->Hyb[h].Chr[c];
                float f20[20] = {}; // zeros beyond a shorter array
                for (int s = 1; s <= 20 && i < a.Size(); ++s) f20[s - 1] = a.Get(s, i);
                body += Block(f20);
            }
            expected += Record(body);
        }
    ASSERT_TRUE(Get(Path("big.cgm")) == expected); // not EXPECT_EQ: 20 MB would be printed

    // Read into an empty data set (one pass) and over a full one (check, free, store).
    for (const bool full : {false, true}) {
        auto r = full ? OldSet() : std::make_unique<tCGH_DataSet>();
        ASSERT_TRUE(ReadCGHMatrix(*r, Path("big.cgm"), nullptr, nullptr, error)) << error;
        std::string wrong; // the first value read wrong
        for (int h = 1; h <= 50 && wrong.empty(); ++h)
            for (int c = 1; c <= kChromosomes; ++c) {
                const auto& a = r->Hyb[h].Chr[c];
                ASSERT_EQ(a.Count(), counts[c]);
                for (int i = 0; i < a.Size(); ++i)
                    for (int s : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 17, 20, 40}) {
                        const bool held =
                            i >= 1 && i <= counts[c] && !(h == 2 && c == 24 && i >= 60);
                        const float want = held ? Shaped(h, c, i, s == 40 ? 4 : s) : 0.0f;
                        if (Bits(a.Get(s, i)) != Bits(want) && wrong.empty())
                            wrong = std::to_string(h) + "/" + std::to_string(c) + "/" +
                                    std::to_string(i) + "/" + std::to_string(s);
                    }
            }
        EXPECT_EQ(wrong, "");
        const auto& a = r->Hyb[3].Chr[1];
        EXPECT_FALSE(a.Allocated(6));
        EXPECT_TRUE(a.Allocated(5));
        EXPECT_EQ(a.Slot(7), a.Slot(4));
        EXPECT_EQ(a.Slot(40), a.Slot(4));
        EXPECT_NE(a.Slot(8), a.Slot(4));
        EXPECT_EQ(a.Slot(9), a.Slot(10));
        EXPECT_EQ(a.Slot(2), r->Hyb[1].Chr[1].Slot(2));
        EXPECT_NE(r->Hyb[7].Chr[1].Slot(2), r->Hyb[1].Chr[1].Slot(2));
        EXPECT_EQ(r->Oligo[1][17].Str[3], "a tab");
        EXPECT_EQ(r->Oligo[1][4999].Num[2], Shaped(1, 1, 4999, 2));
    }
}

std::string Header(const std::string& cnum, const std::string& hnum,
                   const std::vector<std::string>& onums, const std::string& rest) {
    std::string f =
        TextRecord("JX-QB_V1.001") + TextRecord("CNum\t" + cnum) + TextRecord("HNum\t" + hnum);
    for (const auto& o : onums) f += TextRecord("ONum\t" + o);
    return f + rest;
}

TEST_F(CGHMatrixFile, HostileHeadersAreRejected) {
    const std::string names = TextRecord("File names\ta");
    const std::string end = TextRecord("////");
    ExpectRejected("", "not a CGH matrix file");
    ExpectRejected(TextRecord("JX-QB_V1.002") + SmallFileBytes().substr(20),
                   "not a CGH matrix file");
    ExpectRejected(U32(0xffffffff) + std::string(64, 'x'), "not a CGH matrix file");
    ExpectRejected(TextRecord("JX-QB_V1.001") + U32(0xfffffff0) + "CNum", "truncated");
    ExpectRejected(TextRecord("JX-QB_V1.001") + Record(U32(0x7fffffff) + "CNum\t1"),
                   "malformed chromosome count");
    ExpectRejected(Header("25", "1", {}, names + end), "chromosome count 25 out of range");
    ExpectRejected(Header("-1", "1", {}, names + end), "out of range");
    ExpectRejected(Header("x", "1", {}, names + end), "malformed chromosome count");
    ExpectRejected(Header("1", "51", {"0"}, names + end), "hybridisation count 51");
    ExpectRejected(Header("1", "1", {"-5"}, names + end), "out of range");
    ExpectRejected(Header("1", "1", {"99999999999"}, names + end), "malformed probe count");
    ExpectRejected(Header("1", "1", {"2147483600"}, names + end), "exceed");
    ExpectRejected(Header("1", "1", {"3"}, names + end + std::string(200, '\0')), "exceed");
    ExpectRejected(Header("1", "2", {"0"}, names + end), "too few file names");
    ExpectRejected(Header("1", "1", {"0"}, names), "////");
    ExpectRejected(Header("1", "1", {"0"}, names + TextRecord("Sex\tm")), "////");
    ExpectRejected(
        Header("1", "2", {"0"}, TextRecord("File names\ta\tb") + TextRecord("Sex\tm") + end),
        "too few values");
    std::string keys;
    for (int k = 2; k <= 100; ++k) keys += TextRecord("K" + std::to_string(k) + "\tv");
    ExpectRejected(Header("1", "1", {"0"}, names + keys + TextRecord("K101\tv") + end),
                   "more than 99 annotation keys");
    // A text length beyond its record, and probe records of the wrong size.
    ExpectRejected(Header("1", "1", {"0"}, Record(U32(900) + "File names\ta") + end),
                   "malformed file names");
    const std::string probe = Text("p\t\t\t\t") + std::string(80, '\0');
    ExpectRejected(Header("1", "1", {"1"}, names + end + Record(probe + "x")), "malformed record");
    ExpectRejected(
        Header("1", "1", {"1"}, names + end + Record(Text("p\t\t\t") + std::string(80, '\0'))),
        "too few annotation texts");
    ExpectRejected(Header("1", "1", {"1"}, names + end + Record(U32(5000) + probe.substr(4))),
                   "malformed record");

    // The same shapes within the limits load.
    auto d = std::make_unique<tCGH_DataSet>();
    std::string error;
    EXPECT_TRUE(ReadCGHMatrix(
        *d, Put("ok.cgm", Header("1", "1", {"1"}, names + keys + end + Record(probe))), nullptr,
        nullptr, error))
        << error;
    EXPECT_EQ(d->Annotation[0][100], "K100");
    EXPECT_EQ(d->Hyb[1].Chr[1].Count(), 1);
    EXPECT_EQ(d->Hyb[1].Chr[2].Count(), 0); // beyond CNum: no probes
    // A hybridisation without a name is named, so that its slot does not look free.
    ASSERT_TRUE(
        ReadCGHMatrix(*d,
                      Put("noname.cgm", Header("1", "1", {"1"},
                                               TextRecord("File names\t") + end + Record(probe))),
                      nullptr, nullptr, error))
        << error;
    EXPECT_EQ(d->Hyb[1].FileName, "Hybridisation 1");
    EXPECT_EQ(d->Annotation[1][1], "Hybridisation 1");
}

TEST_F(CGHMatrixFile, ReadsAndWritesNoHybridisations) {
    auto d = MakeSet(0, Counts({}));
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("e.cgm"), nullptr, nullptr, error)) << error;
    auto r = OldSet();
    ASSERT_TRUE(ReadCGHMatrix(*r, Path("e.cgm"), nullptr, nullptr, error)) << error;
    EXPECT_EQ(r->HNum, 0);
    // An empty probe record body is accepted when there are no hybridisations.
    ASSERT_TRUE(ReadCGHMatrix(
        *r,
        Put("e0.cgm", Header("1", "0", {"2"},
                             TextRecord("File names") + TextRecord("////") + U32(0) + U32(0))),
        nullptr, nullptr, error))
        << error;
    EXPECT_EQ(OligoCount(r->Oligo[1]), 0); // no hybridisation: no probes to annotate
}

class CancelAfter : public ProgressSink {
  public:
    explicit CancelAfter(int pos) : at_(pos) {}
    void SetMaximum(int m) override { max = m; }
    void SetPosition(int p) override { pos = p; }
    void Pump() override {}
    bool Cancelled() const override { return pos >= at_; }
    int max = -1, pos = -1;

  private:
    int at_;
};

TEST_F(CGHMatrixFile, CancelAndFailureLeaveFilesAndDataAlone) {
    auto d = MakeSet(2, Counts({{1, 150}, {2, 150}}));
    std::string error;
    ASSERT_TRUE(WriteCGHMatrix(*d, Path("c.cgm"), nullptr, nullptr, error)) << error;
    const std::string saved = Get(Path("c.cgm"));

    CancelAfter never(1 << 30);
    auto r = OldSet();
    ASSERT_TRUE(ReadCGHMatrix(*r, Path("c.cgm"), &never, nullptr, error));
    EXPECT_EQ(never.max, 1000);
    EXPECT_EQ(never.pos, 1000);

    CancelAfter early(200);
    r = OldSet();
    const std::string before = Fingerprint(*r);
    EXPECT_FALSE(ReadCGHMatrix(*r, Path("c.cgm"), &early, nullptr, error));
    EXPECT_NE(error.find("cancelled"), std::string::npos);
    EXPECT_EQ(Fingerprint(*r), before);
    // Once the whole file has been checked the old data make room for it: a cancel then would
    // leave nothing, so none is heard and the load completes.
    CancelAfter late(600);
    EXPECT_TRUE(ReadCGHMatrix(*r, Path("c.cgm"), &late, nullptr, error)) << error;
    EXPECT_EQ(late.pos, 1000);
    EXPECT_EQ(r->HNum, 2);
    EXPECT_EQ(r->Hyb[2].Chr[2].Count(), 150);
    EXPECT_EQ(OligoCount(r->Oligo[2]), 150);

    d->Hyb[1].Chr[1].Set(4, 1, 42.0f);
    EXPECT_FALSE(WriteCGHMatrix(*d, Path("c.cgm"), &early, nullptr, error));
    EXPECT_EQ(Get(Path("c.cgm")), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);

    EXPECT_FALSE(WriteCGHMatrix(*d, Path("no/such/dir.cgm"), nullptr, nullptr, error));
    EXPECT_NE(error.find("no/such/dir.cgm"), std::string::npos);
    EXPECT_FALSE(ReadCGHMatrix(*r, Path("missing.cgm"), nullptr, nullptr, error));
    EXPECT_NE(error.find("missing.cgm"), std::string::npos);
}

TEST_F(CGHMatrixFile, LoadReplacesTheDataSetAndReportsCounts) {
    auto d = OldSet();
    for (int h = 1; h <= 3; ++h) d->Hyb[h].Active = h == 3;
    d->Hyb[40].FileName = "stray";
    d->TestParam2 = 9;
    const auto load = LoadCGHMatrixDataSet(*d, Put("s.cgm", SmallFileBytes()), nullptr);
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(d->HNum, 2);
    EXPECT_EQ(d->Hyb[1].Active, 1);
    EXPECT_EQ(d->Hyb[2].Active, 1);
    EXPECT_EQ(d->Hyb[3].Active, 0);
    EXPECT_TRUE(d->Hyb[3].FileName.empty());
    EXPECT_EQ(d->Hyb[3].Chr[2].Size(), 0);
    EXPECT_TRUE(d->Hyb[40].FileName.empty());
    EXPECT_TRUE(d->Annotation[0][5].empty());
    EXPECT_EQ(d->Annotation[0][1], "File name");
    EXPECT_EQ(d->Annotation[0][2], "Sex");
    EXPECT_EQ(d->DataType, 0);
    EXPECT_EQ(d->RecentFiles[1], "recent.cgm");
    EXPECT_EQ(d->TestParam2, 9);
    EXPECT_EQ(OligoCount(d->Oligo[24]), 0);

    ASSERT_EQ(load.report.size(), 28u);
    EXPECT_EQ(load.report[0], "Trying to load file  \"" + Path("s.cgm") + "\"  .....");
    EXPECT_TRUE(load.report[1].ends_with("s elapsed time"));
    EXPECT_EQ(load.report[2], "Loaded CGH probes:");
    EXPECT_EQ(load.report[3], "Chromosome 1\t3");
    EXPECT_EQ(load.report[26], "Chromosome 24\t0");
    EXPECT_EQ(load.report[27], "");

    const std::string before = Fingerprint(*d);
    const auto bad =
        LoadCGHMatrixDataSet(*d, Put("b.cgm", SmallFileBytes().substr(0, 300)), nullptr);
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.error.find("truncated"), std::string::npos) << bad.error;
    EXPECT_EQ(bad.report.size(), 1u); // no counts for a file that was not loaded
    EXPECT_EQ(Fingerprint(*d), before);
}

} // namespace
