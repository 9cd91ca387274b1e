// The annotation query of the scatter viewer: blank-separated terms that mark points of series 1.
//
// A plain term must equal the whole annotation (any case), or occur in it after the term "\c";
// "abc*" starts, "*abc" ends and "*abc*" occurs in the annotation; "\>=" v and "\<=" v compare the
// annotation read as a number (non-numbers read 0); "\R<=" v and "\R>=" v compare x / y, "\LR<="
// v and "\LR>=" v its base-2 logarithm (both need y <> 0); "\k" keeps the previous marks. Terms
// combine with OR; double quotes keep blanks inside a term.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What a search reads of the annotations, kept per data change rather than per term.
struct AnnotationIndex {
    std::vector<std::string> Upper; // upper-cased annotations
    std::vector<double> Number;     // each read as a number, 0 when it is none
    void Build(const std::vector<std::string>& annotations);
};

struct AnnotationSearch {
    int Matches = 0; // a point matched by two terms counts twice
    std::vector<std::string> LogLines;
    std::string Message; // empty when the query was empty
};

// Marks the points 1..count whose annotation matches `query` (flags 1, cleared first unless "\k"
// is a term); x and y are the points' raw values, all 1-based as the series holds them. Nothing
// happens for an empty query.
AnnotationSearch SearchAnnotation(const std::vector<std::string>& annotations,
                                  const AnnotationIndex& index, std::span<const float> x,
                                  std::span<const float> y, std::span<int32_t> flags, int32_t count,
                                  const std::string& query);
