// Gene features: the TAB-separated gene-feature text file (NCBI seq_gene.md style) and the
// program's binary feature cache (".cfl").
//
// Text lines, fields from 0: 1 chromosome ("X" 23, "Y" 24, else a number), 2 start, 3 end,
// 4 strand ("+" or other), 9 name, 10 further text, 11 type ("GENE", "RNA", "CDS", "UTR",
// "PSEUDO"), 12 further text.
// Cache, int32 little-endian throughout, strings as int32 length + bytes: the 18-byte magic
// "JX-QuorbelFF01.00a", the count, the label "cyto_gene_5.1.4", then per feature chromosome,
// start, end, strand and type code, and the name and three texts.
#pragma once

#include "records.h"
#include "sinks.h"

#include <string>

// Imports the features of a text file into a fresh list that replaces `features` (count in
// Num[1] of entry 0, features from entry 1); logs "<k> features". The caller shows this report
// in place of the Info text. Returns false with `error` set when the file cannot be read, is
// UTF-16 text or holds no feature; `features` is then unchanged.
bool ReadGeneFeatureText(const std::string& fileName, tFList& features, LogSink* log,
                         std::string& error);

// Writes the cache through a temporary file that replaces `fileName` only when complete; with
// flag 1 the label and the features follow the count. Returns false with `error` set on failure.
bool WriteFeatureCache(const std::string& fileName, const tFList& features, int flag,
                       std::string& error);

enum class FeatureCacheStatus {
    Loaded,     // the list now holds the cache's features
    Missing,    // no such file
    WrongMagic, // a file of another kind: ignored without a message
    Unreadable, // the file cannot be read, or is truncated or corrupt: `error` says why
};

// Reads a cache into a fresh list that replaces `features` (with a flag other than 1 only the
// count is read); logs the file, count and run time. On any status but Loaded `features` is
// unchanged and nothing is logged; `error` is set for Missing and Unreadable.
FeatureCacheStatus ReadFeatureCache(const std::string& fileName, tFList& features, int flag,
                                    LogSink* log, std::string& error);
