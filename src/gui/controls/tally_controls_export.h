// SPDX-License-Identifier: MIT
#pragma once
// Marks what libtallycontrols exports; everything else in it is built hidden.

#if defined(_WIN32)
#if defined(tallycontrols_EXPORTS)
#define TALLYCONTROLS_EXPORT __declspec(dllexport)
#else
#define TALLYCONTROLS_EXPORT __declspec(dllimport)
#endif
#else
#define TALLYCONTROLS_EXPORT __attribute__((visibility("default")))
#endif
