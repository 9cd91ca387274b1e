// The image viewer's clickable areas, read from the HTML image map beside a pathway picture, and
// the pasted gene lists whose genes outline those areas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Map coordinates are held to this range as they are read.
constexpr int32_t kMapCoordinateLimit = 1000000;

struct ImageMapArea {
    int32_t Shape = 0;                      // 0 rectangle, 1 circle
    int32_t Kind = 0;                       // 0 gene names, 1 a compound, 2 an organism gene entry
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // bounding box in picture pixels, edges included
    std::string Names; // kind 0: gene names each followed by a blank; kind 1: the compound
    std::string Hits;  // pasted genes found in the area, each followed by a blank
    std::string Link;  // base address + href path; empty without a path beginning with "/"
};

// The map file of a picture: its name with the extension ".png" (any case) replaced by ".html";
// folder names stay as they are. A picture named otherwise has no map: the name is empty.
std::string ImageMapFileName(const std::string& picture);
// One area from a map line: TAB-separated shape, coordinates, href and title fields.
ImageMapArea ParseImageMapArea(std::string_view line, std::string_view baseAddress);
// The areas of the lines that hold "area shape", in order.
std::vector<ImageMapArea> ReadImageMap(std::string_view html, std::string_view baseAddress);
// 1-based number of the first area whose box holds the point, 0 when none does.
int32_t FindArea(const std::vector<ImageMapArea>& areas, int64_t x, int64_t y);

// A pasted list of genes: distinct names sorted without regard to case, each with the means of
// its pasted regulation values and p-values.
struct GenePaste {
    std::vector<std::string> GeneList;
    std::vector<float> RegulationMeans;
    std::vector<float> PValueMeans;
    int32_t PastedCount = 0; // lines of a gene/regulation list
};
// Kind 0 or 10: words separated by blanks, TAB, CR, LF, '"', ',' or ';', each a gene with
// regulation -1e9 and p 0. Kind 2 or 12: lines of name, regulation and p-value.
GenePaste ParseGeneList(std::string_view text, int32_t kind);
// Index of `name` in the list (case ignored), -1 when absent.
int32_t FindGene(const GenePaste& genes, std::string_view name);
// The Info lines of a paste: "Pasted genes (n) :" and name, mean regulation, mean p per gene.
std::vector<std::string> GenePasteReport(const GenePaste& genes);

// The outline of one area holding pasted genes.
struct AreaOutline {
    int32_t Area = 0; // 1-based
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    uint32_t Colour = 0; // 0x00BBGGRR
    int32_t Width = 3;
};
// Rebuilds every gene area's Hits and returns the outlines of the areas holding a pasted gene,
// coloured by the genes' mean regulation (style by paste kind 1, 2 or other).
std::vector<AreaOutline> GeneAreaOutlines(std::vector<ImageMapArea>& areas, const GenePaste& genes,
                                          int32_t pasteKind);

// Scientific notation with `significant` digits and at least `exponentDigits` exponent digits,
// e.g. 0.01 as "1.0E-02" for (2, 2).
std::string FormatExponent(double v, int significant, int exponentDigits);
