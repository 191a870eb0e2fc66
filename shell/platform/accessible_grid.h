#pragma once

// What a window drawn as a grid of cells (the board) tells assistive technology about each
// cell. A screen reader sees the grid as a table of rows and columns inside the window;
// the layer asks for a cell only when a screen reader does, so a program that nobody reads
// never pays for it. Columns and rows count from 0 at the top left; the cells of a row stand
// side by side at the same height.

#include "shell/platform/cstring.h"
#include "shell/platform/windef.h"

class CAccessibleGrid {
public:
    virtual int GetGridColumns() const = 0;
    virtual int GetGridRows() const = 0;
    // What the cell shows, in words.
    virtual CString GetGridCellName(int column, int row) const = 0;
    // In the window's client coordinates; empty while the cell has no place on screen.
    virtual CRect GetGridCellRect(int column, int row) const = 0;

protected:
    ~CAccessibleGrid() = default;
};
