#include "dsbfile.h"

#include "testfiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A data line of `fields` fields with value, chromosome, strand and position in fields 7..10.
std::string Line(const std::string& value, const std::string& chr, const std::string& strand,
                 const std::string& position, int fields = 24) {
    std::string s;
    for (int k = 0; k < fields; ++k) {
        if (k) s += '\t';
        s += k == 7 ? value : k == 8 ? chr : k == 9 ? strand : k == 10 ? position : "x";
    }
    return s;
}

class DSBFile : public FileTest {
  protected:
    std::unique_ptr<tCGH_DataSet> data = std::make_unique<tCGH_DataSet>();
};

TEST_F(DSBFile, ReadsUsableLinesAndImportsThemIntoAFreeSlot) {
    const std::string text = Line("value", "chr", "strand", "pos") + "\n" +      // header
                             Line("30", "7", "-", "5000") + "\r\n" +             // minus strand
                             Line("12.5", "7", "+", "-2000") + "\n" +            // |position|
                             Line("1", "7", "-", "300", 23) + "\n" +             // 23 fields
                             Line("1", "0", "-", "300") + "\n" +                 // chromosome 0
                             Line("1", "25", "-", "300") + "\n" +                // chromosome 25
                             Line("1", "X", "-", "300") + "\n" +                 // no chromosome
                             Line("1", "3", "-", "0") + "\n" +                   // position 0
                             Line("1", "5", "\"-\"", "700") + "\n" +             // read as plus
                             "\"a\tb\"" + Line("4", "24", "+", "100").substr(1); // quoted TAB
    DSBData dsb;
    std::string error;
    ASSERT_TRUE(ReadDSBDataFile(Put("d.txt", text), dsb, nullptr, error)) << error;
    data->Hyb[1].FileName = "taken"; // by a hybridisation of the same layout
    data->Hyb[1].Chr = dsb.Chr;
    MemoryLog log;
    ASSERT_EQ(ImportDSBData(*data, std::move(dsb), &log, error), 2) << error;
    const tCGHHybridisation& h = data->Hyb[2];
    EXPECT_EQ(h.FileName, Path("d.txt"));
    EXPECT_EQ(data->HNum, 2);
    EXPECT_EQ(h.Active, 0); // left as it was
    const tCGHProbeArray& c7 = h.Chr[7];
    ASSERT_EQ(c7.Count(), 2);
    EXPECT_EQ(c7.Size(), 1002);
    EXPECT_EQ(c7.Get(1, 1), 7);
    EXPECT_EQ(c7.Get(2, 1), 5000);
    EXPECT_EQ(c7.Get(3, 1), 4900);
    EXPECT_FLOAT_EQ(c7.Get(4, 1), -0.3f);
    EXPECT_EQ(c7.Get(2, 2), 2000);
    EXPECT_EQ(c7.Get(3, 2), 2100);
    EXPECT_FLOAT_EQ(c7.Get(4, 2), 0.125f);
    for (int slot : {11, 40}) EXPECT_EQ(c7.Get(slot, 1), c7.Get(4, 1)) << slot;
    EXPECT_EQ(h.Chr[3].Count(), 0);
    ASSERT_EQ(h.Chr[24].Count(), 1);
    EXPECT_FLOAT_EQ(h.Chr[24].Get(4, 1), 0.04f);
    EXPECT_EQ(h.Chr[5].Get(3, 1), 800);
    ASSERT_EQ(log.lines.size(), 27u);
    EXPECT_EQ(log.lines[0], "Importing " + Path("d.txt") + " ...");
    EXPECT_EQ(log.lines[1], "Chr-0: 0");
    EXPECT_EQ(log.lines[8], "Chr-7: 2");
    EXPECT_EQ(log.lines[26],
              "Strand cells that are neither \"+\" nor \"-\" were read as plus: 1 in \"" +
                  Path("d.txt") + "\", the first at line 9, column 10: \"\"-\"\".");
}

TEST_F(DSBFile, RefusalsChangeNothing) {
    DSBData dsb;
    std::string error;
    // A value or a position that is no number names the line.
    EXPECT_FALSE(ReadDSBDataFile(
        Put("v.txt", "h\n" + Line("1", "1", "+", "5") + "\n" + Line("NA", "1", "+", "9")), dsb,
        nullptr, error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("\"NA\""), std::string::npos) << error;
    EXPECT_FALSE(
        ReadDSBDataFile(Put("p.txt", "h\n" + Line("1", "1", "+", "5e3")), dsb, nullptr, error));
    EXPECT_FALSE(ReadDSBDataFile(Path("none.txt"), dsb, nullptr, error));
    // Files without a usable line: comma-separated, CR-only line ends, UTF-16.
    std::string commas = "h\n" + Line("1", "1", "+", "5") + "\n";
    const std::string mac = "h\r" + Line("1", "1", "+", "5") + "\r";
    std::replace(commas.begin(), commas.end(), '\t', ',');
    const std::pair<std::string, std::string> unusable[] = {
        {commas, "holds no DSB probe rows (lines of at least 24 TAB-separated fields"},
        {mac, "its lines end in CR alone"},
        {std::string("\xFF\xFEh\0\n\0", 6), "is saved as UTF-16"}};
    for (const auto& [text, reason] : unusable) {
        EXPECT_FALSE(ReadDSBDataFile(Put("u.txt", text), dsb, nullptr, error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }

    // A file whose probe counts differ from the loaded hybridisations.
    data->Hyb[1].FileName = "loaded";
    data->Hyb[1].Chr[1].Resize(10);
    data->Hyb[1].Chr[1].SetCount(2);
    data->HNum = 1;
    ASSERT_TRUE(
        ReadDSBDataFile(Put("one.txt", "h\n" + Line("1", "1", "+", "5")), dsb, nullptr, error));
    EXPECT_EQ(ImportDSBData(*data, DSBData(dsb), nullptr, error), 0);
    EXPECT_NE(error.find("does not fit"), std::string::npos) << error;
    EXPECT_TRUE(data->Hyb[2].FileName.empty());
    EXPECT_EQ(data->HNum, 1);

    // No free slot.
    for (auto& h : data->Hyb) h.FileName = "full", h.Chr[1] = dsb.Chr[1];
    EXPECT_EQ(ImportDSBData(*data, DSBData(dsb), nullptr, error), 0);
    EXPECT_EQ(error, kNoFreeSlotText);
    EXPECT_EQ(data->HNum, 1);
}

} // namespace
