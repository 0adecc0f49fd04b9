#pragma once

#include <QUuid>
#include <QtGlobal>
#include <cstdint>

#if defined(BOUTON_BIBLIOTHEQUE)
#define BOUTON_EXPORT Q_DECL_EXPORT
#else
#define BOUTON_EXPORT Q_DECL_IMPORT
#endif

// The library's four entry points, with C linkage, and their types for hosts that
// look them up at run time.
extern "C" {
BOUTON_EXPORT int32_t DllRegisterServer(void);
BOUTON_EXPORT int32_t DllUnregisterServer(void);
BOUTON_EXPORT int32_t DllGetClassObject(const QUuid* clsid, const QUuid* iid, void** objet);
BOUTON_EXPORT int32_t DllCanUnloadNow(void);
}

namespace bouton {
using FnDllRegisterServer = int32_t (*)();
using FnDllUnregisterServer = int32_t (*)();
using FnDllGetClassObject = int32_t (*)(const QUuid*, const QUuid*, void**);
using FnDllCanUnloadNow = int32_t (*)();
} // namespace bouton
