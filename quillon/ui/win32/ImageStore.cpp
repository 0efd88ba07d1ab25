#include "quillon/ui/win32/ImageStore.h"

#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Entry {
  std::wstring name;  // file images
  int id = -1;        // resource images; -1 otherwise
  HMODULE module = nullptr;
  CMrImage* source = nullptr;  // cropped images
  RECT crop{};
  std::unique_ptr<CMrImage> image;
};

struct Store {
  int users = 0;
  ULONG_PTR gdiplusToken = 0;
  std::vector<Entry> entries;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Copies the decoded pixels into a bitmap of their own: a bitmap made from a
// stream or file keeps reading from it, and the stream is released at once.
Gdiplus::Bitmap* Detach(Gdiplus::Bitmap* decoded) {
  if (!decoded) return nullptr;
  if (decoded->GetLastStatus() != Gdiplus::Ok) {
    delete decoded;
    return nullptr;
  }
  int width = static_cast<int>(decoded->GetWidth());
  int height = static_cast<int>(decoded->GetHeight());
  auto* copy = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
  if (copy->GetLastStatus() != Gdiplus::Ok) {
    delete decoded;
    return copy;  // invalid image; the status says why
  }
  Gdiplus::Rect all(0, 0, width, height);
  Gdiplus::BitmapData from{};
  Gdiplus::BitmapData to{};
  if (decoded->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &from) == Gdiplus::Ok) {
    if (copy->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &to) == Gdiplus::Ok) {
      for (int y = 0; y < height; ++y) {
        std::memcpy(static_cast<uint8_t*>(to.Scan0) + static_cast<ptrdiff_t>(y) * to.Stride,
                    static_cast<const uint8_t*>(from.Scan0) + static_cast<ptrdiff_t>(y) * from.Stride,
                    static_cast<size_t>(width) * 4);
      }
      copy->UnlockBits(&to);
    }
    decoded->UnlockBits(&from);
  }
  delete decoded;
  return copy;
}

Gdiplus::Bitmap* DecodeFile(const wchar_t* path) { return Detach(Gdiplus::Bitmap::FromFile(path, FALSE)); }

// Some decoders refuse a stream but read the same bytes from a file.
Gdiplus::Bitmap* DecodeThroughTempFile(const void* bytes, DWORD size) {
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"qim", 0, path)) return nullptr;
  Gdiplus::Bitmap* bitmap = nullptr;
  HANDLE file =
      ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    if (ok) bitmap = DecodeFile(path);
  }
  ::DeleteFileW(path);
  return bitmap;
}

Gdiplus::Bitmap* DecodeResource(HMODULE module, int id, const wchar_t* type) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (!found) return nullptr;
  DWORD size = ::SizeofResource(module, found);
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return nullptr;
  Gdiplus::Bitmap* bitmap = nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (block) {
    void* target = ::GlobalLock(block);
    if (target) {
      std::memcpy(target, bytes, size);
      ::GlobalUnlock(block);
      IStream* stream = nullptr;
      if (SUCCEEDED(::CreateStreamOnHGlobal(block, FALSE, &stream)) && stream) {
        bitmap = Detach(Gdiplus::Bitmap::FromStream(stream, FALSE));
        stream->Release();
      }
    }
    ::GlobalFree(block);
  }
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) {
    delete bitmap;
    bitmap = DecodeThroughTempFile(bytes, size);
  }
  return bitmap;
}

CMrImage* Keep(Entry entry, Gdiplus::Bitmap* bitmap) {
  entry.image = std::make_unique<CMrImage>(bitmap);
  CMrImage* image = entry.image.get();
  TheStore().entries.push_back(std::move(entry));
  return image;
}

}  // namespace

bool ImageStoreStartup() {
  Store& store = TheStore();
  if (store.users > 0) {
    ++store.users;
    return true;
  }
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&store.gdiplusToken, &input, nullptr) != Gdiplus::Ok) return false;
  store.users = 1;
  return true;
}

void ImageStoreShutdown() {
  Store& store = TheStore();
  if (store.users == 0 || --store.users > 0) return;
  // Images are GDI+ objects: they go before GDI+ does.
  store.entries.clear();
  Gdiplus::GdiplusShutdown(store.gdiplusToken);
  store.gdiplusToken = 0;
}

bool ImageStoreIsRunning() { return TheStore().users > 0; }

CMrImage* LoadStoredImage(HMODULE module, int id, const wchar_t* type) {
  if (!ImageStoreIsRunning()) return nullptr;
  for (Entry& entry : TheStore().entries) {
    if (entry.id == id && entry.module == module && !entry.source) return entry.image.get();
  }
  Entry entry;
  entry.id = id;
  entry.module = module;
  return Keep(std::move(entry), DecodeResource(module, id, type));
}

CMrImage* LoadStoredImage(const wchar_t* path) {
  if (!ImageStoreIsRunning() || !path) return nullptr;
  for (Entry& entry : TheStore().entries) {
    if (entry.id == -1 && !entry.source && entry.name == path) return entry.image.get();
  }
  Entry entry;
  entry.name = path;
  return Keep(std::move(entry), DecodeFile(path));
}

CMrImage* CropImage(CMrImage* source, int left, int top, int width, int height) {
  if (!ImageStoreIsRunning() || !source) return nullptr;
  for (Entry& entry : TheStore().entries) {
    if (entry.source == source && entry.crop.left == left && entry.crop.top == top &&
        entry.crop.right == left + width && entry.crop.bottom == top + height)
      return entry.image.get();
  }
  Entry entry;
  entry.source = source;
  entry.crop = RECT{left, top, left + width, top + height};
  Gdiplus::Bitmap* part = nullptr;
  if (!source->IsInvalid() && width > 0 && height > 0 && left >= 0 && top >= 0 &&
      left + width <= source->GetWidth() && top + height <= source->GetHeight()) {
    part = Detach(source->GetBitmap()->Clone(left, top, width, height, PixelFormat32bppARGB));
  }
  return Keep(std::move(entry), part);
}

size_t ImageStoreSize() { return TheStore().entries.size(); }
