// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the survey list reader: any bytes as a list file, fed to the line reader
// in pieces whose size the input chooses. Checks the promises the reader makes about its
// results; a broken one aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "lists/LoadList.h"
#include "matrix/Bands.h"
#include "matrix/ConfirmationMatrix.h"

namespace {

struct Fixture
{
    wendrix::EntityCatalogue Catalogue = wendrix::BuildEntityCatalogue();
    wendrix::ListReader Reader{Catalogue};
    std::unique_ptr<wendrix::ConfirmationMatrix> Matrix =
        std::make_unique<wendrix::ConfirmationMatrix>();
};

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Fixture fixture;
    // The first byte picks the piece size (0: all at once), the rest is the file.
    std::size_t chunk = 0;
    if (size > 0) {
        chunk = data[0] % 64;
        ++data;
        --size;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto& matrix = *fixture.Matrix;
    const auto mode =
        chunk % 2 == 0 ? wendrix::ListReadMode::Normal : wendrix::ListReadMode::Evaluation;
    const auto result = fixture.Reader.ReadListBytes("DL1ABC.CFD", bytes, mode, matrix, chunk);

    Check(result.ReportLines.size() <= 2);
    Check(result.FoundCount >= 0);
    const int entities = fixture.Catalogue.EntityCount();
    // Cells above 6 m are never set by a list file, and the sums agree with the cells.
    for (int b = 0; b < wendrix::kBandCount; ++b) {
        for (int m = 0; m < wendrix::kModeCount; ++m) {
            int count = 0;
            for (int e = 1; e <= wendrix::ConfirmationMatrix::kMaxEntities; ++e) {
                if (matrix.IsTicked(e, wendrix::BandIndex{b}, wendrix::ModeIndex{m})) {
                    Check(e <= entities);
                    Check(b < wendrix::kListBandCount || b == wendrix::kAllBands);
                    ++count;
                }
            }
            Check(matrix.ColumnSum(wendrix::BandIndex{b}, wendrix::ModeIndex{m}) == count);
        }
    }
    return 0;
}
