// Marks the entry points that the host library exports and the plugin imports.
#pragma once

#if defined(_WIN32)
#if defined(ASAAPI_BUILDING_HOST)
#define ASAAPI_EXPORT __declspec(dllexport)
#else
#define ASAAPI_EXPORT __declspec(dllimport)
#endif
#else
#define ASAAPI_EXPORT __attribute__((visibility("default")))
#endif
