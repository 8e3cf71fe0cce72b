#pragma once
// The host's loading of a stage's track geometry through the plugin: the LBS file read whole,
// its LB2 companion walked after the host has processed the LBS data, and the geom-block data
// fed from the LB2 file while that walk runs. "lbsloading.log" records the last walk.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::tracks {

// Hook for the module's whole-file read: the host's read buffer record and the LBS path (a host
// string). Byte result: whether the file was read. Called by the readLbsFileHook thunk, which
// takes the path from EDI.
extern "C" std::uint8_t QZR_FASTCALL qzrReadLbsFile(void* record, const void* path) noexcept;

// Hook after the module's processing of the LBS data (one stack argument, the loader object).
void QZR_STDCALL lb2LoadHook(void* loader) noexcept;

// Hook inside the module's geom-blocks routine (cdecl: an int and the read buffer): while the
// LB2 walk runs, the buffer is filled with the walk's geom-block data (emptied when that fails);
// the module's own reader then runs on it.
std::int32_t QZR_CDECL readGeomBlocks(std::int32_t a, void* buffer) noexcept;

// Walks the LB2 file of the stage being loaded into the module's segment routines; nothing
// without an LB2 file.
void readLb2File(void* loader) noexcept;

}  // namespace kvl::tracks

#if QZR_HOST_ABI
extern "C" {
// The module's read call passes the path in EDI: the thunk hands it on to qzrReadLbsFile.
void readLbsFileHook();
}
#endif
