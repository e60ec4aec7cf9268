// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/PrintLayout.h"

#include <algorithm>

namespace wendrix {

PrintLayout::PrintLayout(int pageWidth, int pageHeight, int entityCount)
    : m_pageWidth(pageWidth),
      m_pageHeight(pageHeight),
      m_entityCount(std::max(entityCount, 0)),
      m_margin(pageWidth / 15),
      m_blockWidth((pageWidth - (3 * m_margin) / 2) / 2),
      m_bandWidth(m_blockWidth / 12),
      m_rowsPerBlock((m_entityCount + 3) / 4),
      m_linePitch(pageHeight / (m_rowsPerBlock + 5)),
      // Five sixths, rounded down, stay below every pitch of at least one pixel; a page too
      // small for any pitch gets a height of 0, never a negative one.
      m_charHeight(m_linePitch * 5 / 6)
{
    // The totals of page 2 start a pitch below the right block's last row and need more than
    // the pitches left under it, so on a page whose height is (nearly) a multiple of R + 5 the
    // Mixed totals and the award counts would run off the bottom. A pitch one or two pixels
    // smaller gains R pixels each and keeps them on the page; other pages keep PH / (R + 5).
    while (m_linePitch > 0 && PageTwoBottom() > m_pageHeight) {
        --m_linePitch;
        m_charHeight = m_linePitch * 5 / 6;
    }
}

int PrintLayout::PageTwoBottom() const
{
    // The award counts close the page, below the Mixed totals. Both lines hold digits and
    // letters without descenders, which end within the character height below their top.
    return AwardsY() + m_charHeight;
}

PrintLayout PrintLayout::WithBoxWidth(int boxWidth) const
{
    PrintLayout copy = *this;
    copy.m_boxWidth = boxWidth;
    return copy;
}

int PrintLayout::BandX(int block, int band) const
{
    return BlockX(block) + m_bandWidth / 4 + (band + 1) * m_bandWidth;
}

int PrintLayout::BoxX(int block, int band, int box) const
{
    return BandX(block, band) + box * BoxStep();
}

int PrintLayout::RowY(int row) const
{
    return m_linePitch / 3 + HeaderY() + row * m_linePitch;
}

QRect PrintLayout::BoxRect(int block, int band, int box, int row) const
{
    const int x = BoxX(block, band, box);
    const int y = RowY(row);
    return QRect(QPoint(x - 1, y - 1), QPoint(x + m_boxWidth - 2, y + m_charHeight + 2));
}

int PrintLayout::EntityAt(int page, int block, int row) const
{
    if (page < 1 || page > kPages || block < 0 || block >= kBlocksPerPage || row < 1 ||
        row > m_rowsPerBlock) {
        return 0;
    }
    const int entity = row + (block + kBlocksPerPage * (page - 1)) * m_rowsPerBlock;
    return entity <= m_entityCount ? entity : 0;
}

int PrintLayout::LastVisitedRow(int page, int block) const
{
    const int before = (block + kBlocksPerPage * (page - 1)) * m_rowsPerBlock;
    const int held = std::clamp(m_entityCount - before, 0, m_rowsPerBlock);
    return held == m_rowsPerBlock ? m_rowsPerBlock : held + 1;
}

int PrintLayout::LowestRowY() const
{
    int lowest = 0;
    for (int page = 1; page <= kPages; ++page) {
        for (int block = 0; block < kBlocksPerPage; ++block) {
            const int row = LastVisitedRow(page, block);
            if (row > 0) {
                lowest = std::max(lowest, RowY(row));
            }
        }
    }
    return lowest;
}

int PrintLayout::TotalsY() const
{
    return RowY(LastVisitedRow(kPages, 1)) + m_linePitch;
}

int PrintLayout::ModeTotalX(int band, int box) const
{
    const int x = band < 0 ? DateX() : DateX() + m_bandWidth / 5 + (band + 1) * m_bandWidth;
    return x + box * BoxStep();
}

int PrintLayout::MixedTotalX(int band) const
{
    return band < 0 ? DateX() : BandX(1, band);
}

int PrintLayout::AwardsY() const
{
    return std::max(MixedTotalsY(), LowestRowY() + m_linePitch);
}

}  // namespace wendrix
