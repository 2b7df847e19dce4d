// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the model geometry reader. Besides surviving any input, whatever the
// reader accepts must go through the writer and read back the same, byte for byte.

#include "storage/meshreader.h"
#include "storage/meshwriter.h"
#include "storage/storageerror.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    scene::ModelGeometry geometry;
    try {
        geometry = scene::readModelGeometry({data, size});
    } catch (const scene::StorageError &) {
        return 0;
    }
    const std::vector<std::uint8_t> written = scene::writeModelGeometry(geometry);
    const scene::ModelGeometry again = scene::readModelGeometry(written);
    if (!(again == geometry) || scene::writeModelGeometry(again) != written)
        __builtin_trap();
    return 0;
}
