// A caller's data matrix for the group selector's analysis modes and the profile editor: values
// genes x conditions (NaN = missing), the header cells and the per-gene annotation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AnalysisMatrix {
    std::string Name;
    int32_t GeneCount = 0;
    int32_t ConditionCount = 0;       // data columns
    int32_t FirstConditionNumber = 1; // member number of data column 1
    int32_t AnnotationColumnCount = 0;
    int32_t HeaderRowCount = 0;
    // GeneCount x ConditionCount values, gene-major; gene g, condition c at (g-1)*C + (c-1).
    std::vector<float> Values;
    // [column][row]; row 1 the titles. Columns count from 1 (column 0 is not read): annotation
    // column a is column a (1..AnnotationColumnCount), data column c is column
    // AnnotationColumnCount + c.
    std::vector<std::vector<std::string>> HeaderCells;
    // [gene][column] annotation strings, annotation column a at [a].
    std::vector<std::vector<std::string>> Annotation;

    // Sizes the values for genes x conditions, all missing.
    void Resize(int32_t genes, int32_t conditions);
    bool Inside(int64_t gene, int64_t condition) const {
        return gene >= 1 && gene <= GeneCount && condition >= 1 && condition <= ConditionCount;
    }
    // Value of gene g in data column c (1-based); callers check Inside first.
    float& At(int32_t gene, int32_t condition) { return Values[Index(gene, condition)]; }
    float At(int32_t gene, int32_t condition) const { return Values[Index(gene, condition)]; }
    // Values of gene g, data column c at [c - 1]; callers check the gene first.
    float* Row(int32_t gene) { return Values.data() + Index(gene, 1); }
    const float* Row(int32_t gene) const { return Values.data() + Index(gene, 1); }
    // Data column of member number n, or 0 when n lies outside the matrix's conditions.
    int32_t ColumnOfMember(int64_t n) const;
    // Header cell or "" outside the table.
    const std::string& HeaderCell(int64_t column, int64_t row) const;
    // Header cell of data column c (the data columns follow the annotation columns).
    const std::string& ConditionHeaderCell(int64_t c, int64_t row) const {
        return HeaderCell(int64_t{AnnotationColumnCount} + c, row);
    }
    // Annotation string or "" outside the table.
    const std::string& AnnotationCell(int64_t gene, int64_t column) const;

  private:
    size_t Index(int32_t gene, int32_t condition) const {
        return static_cast<size_t>(gene - 1) * static_cast<size_t>(ConditionCount) +
               static_cast<size_t>(condition - 1);
    }
};
