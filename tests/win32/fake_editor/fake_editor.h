// A fake of the editor's object model served through IDispatch, for running the add-in DLL
// against a project description: the in-memory model (host/memory) seen as the editor's COM
// objects. Names are found without regard to case; failures of the model are raised as
// DISP_E_EXCEPTION with the error number in EXCEPINFO.scode (see ScodeOfErrorNumber); each model
// object is one COM object, so identity comparisons hold; the command bars' click events are
// delivered to sinks advised through IConnectionPointContainer.
//
// Everything runs on the thread that made the editor, as in the editor's apartment.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <memory>

#include "host/memory/memory_model.h"

namespace tovalin::fake {

// The editor's root object (VBE) over `vbe`, AddRef'd: the caller releases it. The model stays
// alive while any object of the editor does.
IDispatch* NewFakeEditor(std::shared_ptr<MemoryVbe> vbe);

// The COM objects of every fake editor in the process that are still alive (views, collections,
// enumerators, type descriptions, connection points), so that a test can check that everything
// handed out was released.
long LiveObjectCount();

// The HRESULT of the last click delivered to an advised sink (S_OK before the first).
HRESULT LastClickResult();
void RecordClickResult(HRESULT result);

// The EXCEPINFO.scode of a failure with the runtime's error `number`, as the editor raises
// it: 0x800A0000 | number for 0 to 65535 (FACILITY_CONTROL), and any other number (an HRESULT
// raised as an error number) as it is. A client maps it back: facility CONTROL gives the low
// word, a failure HRESULT the number it stands for. A number above 65535 has no HRESULT of its
// own; its scode is not a failure, and clients read it as 440 (Automation error).
HRESULT ScodeOfErrorNumber(int32_t number);

}  // namespace tovalin::fake
