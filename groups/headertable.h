// The group selector's header table: a text per condition and header row. Condition 0 holds the
// row titles; rows count from 1. Callers size it from their counts before filling it.
#pragma once

#include <QString>
#include <vector>

class tHeaderTable {
  public:
    // Room for conditions 0..conditions and rows 0..rows, all empty.
    void Resize(int conditions, int rows);
    void Clear() { Resize(-1, -1); }
    int Conditions() const { return conditions_; }
    int Rows() const { return rows_; }
    // Writes outside the table are dropped.
    void Set(int condition, int row, const QString& text);
    // "" outside the table.
    const QString& Cell(int condition, int row) const;

  private:
    bool Inside(int condition, int row) const {
        return condition >= 0 && condition <= conditions_ && row >= 0 && row <= rows_;
    }
    size_t Index(int condition, int row) const {
        return static_cast<size_t>(condition) * static_cast<size_t>(rows_ + 1) +
               static_cast<size_t>(row);
    }
    int conditions_ = -1, rows_ = -1;
    std::vector<QString> cells_;
};
