// The profile editor's model: one value per channel of a response profile, edited by presets,
// the mouse, a pasted list and means over genes or header rows. Channel tables are indexed
// 1..n with entry 0 unused, so a span of n + 1 entries holds n channels (an empty span none).
#pragma once

#include "analysismatrix.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ProfileScale {
    float ValueLimit = 1.0f; // the plot spans -ValueLimit..+ValueLimit
    float GridStep = 1.0f;   // value step of the grid lines
};

// Every channel := v.
void ProfileFillConstant(std::span<float> values, float v);
// Channel c := from + (c - 1) * (to - from) / (n - 1); a single channel gets `from`.
void ProfileFillRamp(std::span<float> values, float to, float from);

enum class ProfileDirection { Left, Right };
// Left: every value moves one channel down and channel 1's goes to channel n; right the reverse.
void ProfileRotate(std::span<float> values, ProfileDirection direction);

// The limit ceil(m) + 1 for m the largest magnitude (0 without channels), and the grid step
// ceil(limit / 10).
ProfileScale ProfileRescale(std::span<const float> values);

// Adds d to every selected channel, held within the finite singles.
void ProfileShiftSelected(std::span<float> values, std::span<const int32_t> selected, double d);

// How a click on channel c changes the selection: Only clears the others, Add adds c, Range
// adds the channels from the nearest selected one at or below c up to c (nothing when there is
// none), Group adds every channel of c's group, All selects every channel.
enum class ProfileClick { Only, Add, Range, Group, All };
void ProfileSelectChannel(std::span<int32_t> selected, std::span<const int32_t> groups, int32_t c,
                          ProfileClick how);

// The channel 1..n under x for channels `step` pixels apart: ceil(x / step + 0.5), held within
// 1..n (1 when there is no step, as for a single channel); 0 without channels.
int32_t ProfileChannelAt(double x, double step, int32_t n);

// Channel c := the mean over the picked genes (1-based) of their values at the data column of
// member number columns[c]; missing values, genes and columns outside the matrix are left out
// and a channel without values gets 0. False, with nothing changed, when no gene is picked.
bool ProfileMeanOfGenes(const AnalysisMatrix& m, std::span<const int32_t> columns,
                        std::span<const int32_t> genes, std::span<float> values);
// The same over picked header rows: the number in the row's header cell of the channel's data
// column (header column AnnotationColumnCount + data column), read leniently with "."
// (0 when it is no number); cells outside the header table are left out.
bool ProfileMeanOfHeaderRows(const AnalysisMatrix& m, std::span<const int32_t> columns,
                             std::span<const int32_t> rows, std::span<float> values);

// s with a..z upper-cased; the gene find compares such copies.
std::string UpperCaseAscii(std::string_view s);

// Gene find kinds: entries containing a key, or equal to it; the OR kinds keep earlier marks.
enum ProfileFindKind : int32_t {
    kFindContains = 0,
    kFindWhole = 1,
    kFindOrContains = 10,
    kFindOrWhole = 11
};
// Marks the entries of `upperNames` that match a key of `text` (upper-cased, split at blanks
// outside double quotes, trimmed; empty keys match nothing); kinds other than the OR kinds clear
// `marked` first. Returns the number of matches, an entry matched by two keys counting twice.
int32_t FindProfileGenes(std::span<const std::string> upperNames, std::string_view text,
                         int32_t kind, std::vector<uint8_t>& marked);

// Channel k := the k-th comma-separated piece of `text`, read leniently with "." (0 when it is
// no number) and held within the finite singles; pieces beyond the channels are ignored.
void PasteProfileValues(std::string text, std::span<float> values);
