#pragma once

#include <windows.h>

#include "quillon/ui/win32/Image.h"

// The process-wide image store: every skin picture is decoded once and kept
// until shutdown, failed loads included (so they are not retried). Used from
// the user-interface thread only.

// Starts GDI+ and creates the store. Counted: only the first call starts
// anything. False when GDI+ cannot be started.
bool ImageStoreStartup();
// Ends one ImageStoreStartup; the last one destroys every image and shuts
// GDI+ down.
void ImageStoreShutdown();
bool ImageStoreIsRunning();

// A picture from a resource (id and type, e.g. L"PNG") of `module`; the
// store's entry when (id, module) was loaded before. Null only when the store
// is not running; a missing resource gives an invalid image.
CMrImage* LoadStoredImage(HMODULE module, int id, const wchar_t* type);
// A picture file, keyed by its exact path.
CMrImage* LoadStoredImage(const wchar_t* path);
// A copy of an area of `source`, kept per (source, rectangle).
CMrImage* CropImage(CMrImage* source, int left, int top, int width, int height);
// Number of entries (for tests).
size_t ImageStoreSize();
