// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// Geometry of the two-page print-out: every position and size derives from the printable page
// size in pixels and the number of entities, with integer arithmetic (divisions toward zero),
// so the print-out fills the page on any printer. Nothing here paints.
namespace wendrix {

class PrintLayout
{
public:
    static constexpr int kPages = 2;
    static constexpr int kBlocksPerPage = 2;
    static constexpr int kBands = 10;  // 160 m .. 6 m
    static constexpr int kBoxes = 3;   // CW, Fone, RTTY

    // Printable page size in device pixels; entityCount is the number of entities printed.
    PrintLayout(int pageWidth, int pageHeight, int entityCount);

    // The box width is the width of "C" in the body font, which only the paint device knows;
    // until it is set it is 0.
    [[nodiscard]] PrintLayout WithBoxWidth(int boxWidth) const;

    [[nodiscard]] int PageWidth() const { return m_pageWidth; }
    [[nodiscard]] int PageHeight() const { return m_pageHeight; }
    [[nodiscard]] int EntityCount() const { return m_entityCount; }

    [[nodiscard]] int Margin() const { return m_margin; }              // M = PW / 15
    [[nodiscard]] int BlockWidth() const { return m_blockWidth; }      // Bw = (PW - 3M/2) / 2
    [[nodiscard]] int BandWidth() const { return m_bandWidth; }        // U = Bw / 12
    [[nodiscard]] int RowsPerBlock() const { return m_rowsPerBlock; }  // R = (N + 3) / 4
    [[nodiscard]] int LinePitch() const { return m_linePitch; }        // L = PH / (R + 5), see ctor
    [[nodiscard]] int CharHeight() const { return m_charHeight; }      // H = 5L/6, below L
    [[nodiscard]] int HeaderY() const { return 2 * m_charHeight; }     // Y0 = 2H
    [[nodiscard]] int BoxWidth() const { return m_boxWidth; }          // Wc
    [[nodiscard]] int BoxStep() const { return m_bandWidth * 9 / 30; }  // Dm = 9U/30

    // Character heights of the other fonts.
    [[nodiscard]] int TitleHeight() const { return 5 * m_charHeight / 3; }      // call sign
    [[nodiscard]] int SmallHeight() const { return 2 * m_charHeight / 3 + 1; }  // mark, totals
    [[nodiscard]] int LetterHeight() const { return 7 * m_charHeight / 8; }     // letter in a box

    // Title line: the date starts at DateX(); the maker's mark ends at MarkRight().
    [[nodiscard]] int DateX() const { return m_margin + m_blockWidth; }
    [[nodiscard]] int MarkRight() const { return m_margin + m_blockWidth + 11 * m_bandWidth; }

    // Left edge of block 0..1 (prefix column and "Entity").
    [[nodiscard]] int BlockX(int block) const { return m_margin + block * m_blockWidth; }
    // Left edge of band column 0..9 of a block (header label and first box).
    [[nodiscard]] int BandX(int block, int band) const;
    // Left edge of box 0..2 (CW, Fone, RTTY) of a band column.
    [[nodiscard]] int BoxX(int block, int band, int box) const;
    // Top of entity row 1..R of any block.
    [[nodiscard]] int RowY(int row) const;
    // The frame of a box, both corners inside: (x - 1, y - 1) to (x + Wc - 2, y + H + 2).
    [[nodiscard]] QRect BoxRect(int block, int band, int box, int row) const;

    // Entity number 1..N printed on page 1..2, block 0..1 (left, right), row 1..R; 0 where the
    // place holds none. Page 1 holds the first 2R entities, left block first, top to bottom.
    [[nodiscard]] int EntityAt(int page, int block, int row) const;
    // The last row the block walks through: the first row without an entity, or its last row
    // when it is full (0 when a block has no rows at all).
    [[nodiscard]] int LastVisitedRow(int page, int block) const;
    // The lowest row position visited on either page (maxY), 0 when no row is visited.
    [[nodiscard]] int LowestRowY() const;

    // Totals block on page 2, below the right block: the per-mode lines start at TotalsY(), one
    // every TotalsStep(); the Mixed line follows at MixedTotalsY().
    [[nodiscard]] int TotalsY() const;
    [[nodiscard]] int TotalsStep() const { return SmallHeight() + 1; }
    [[nodiscard]] int MixedTotalsY() const { return TotalsY() + 2 * m_charHeight; }
    // x of the per-mode total of band 0..9, or of the all-bands column for band -1.
    [[nodiscard]] int ModeTotalX(int band, int box) const;
    // x of the Mixed total of band 0..9 (the right block's band column), or all bands for -1.
    [[nodiscard]] int MixedTotalX(int band) const;

    // The award counts line, below both the Mixed totals and the lowest row.
    [[nodiscard]] int AwardsY() const;
    // x of award count 0..3 (5-B, 9-B, 10-B, Slot 26).
    [[nodiscard]] int AwardX(int index) const { return m_margin + 3 * index * m_bandWidth; }

private:
    [[nodiscard]] int PageTwoBottom() const;

    int m_pageWidth;
    int m_pageHeight;
    int m_entityCount;
    int m_margin;
    int m_blockWidth;
    int m_bandWidth;
    int m_rowsPerBlock;
    int m_linePitch;
    int m_charHeight;
    int m_boxWidth = 0;
};

}  // namespace wendrix
