#include "services/uclfilemapping.h"

#include <algorithm>
#include <cstring>

#include "fw/core/exceptions.h"
#include "services/uclbase.h"

namespace services {

namespace {

int64_t AllocationGranularity() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwAllocationGranularity;
}

}  // namespace

int64_t RoundViewOffsetTo(int64_t Offset, int64_t Granularity, TUclFileMappingRoundOffset Round) {
  const int64_t rest = Offset % Granularity;
  if (rest == 0) return Offset;
  return Round == rvDown ? Offset - rest : Offset - rest + Granularity;
}

// ---- Mappings

TUclCustomFileMapping::~TUclCustomFileMapping() {
  while (!FViews.empty()) delete FViews.back();  // each view leaves the list
  if (FHandle) CloseHandle(FHandle);
}

TUclCustomFileMapping* TUclCustomFileMapping::Open(const fw::String& Name, bool InheritHandle, DWORD DesiredAccess) {
  HANDLE handle = OpenFileMappingW(DesiredAccess, InheritHandle, W(Name));
  if (!handle) throw EUclFileMappingError(u"Failed to create FileMapping");
  auto* mapping = new TUclCustomFileMapping();
  mapping->FHandle = handle;
  mapping->FName = Name;
  mapping->FExisted = true;
  return mapping;
}

int TUclCustomFileMapping::Add(DWORD Access, SIZE_T Count, int64_t Offset) {
  return (new TUclFileMappingView(this, Access, Count, Offset))->Index();
}

int TUclCustomFileMapping::AddAt(DWORD Access, SIZE_T Count, int64_t Offset, void* Address) {
  return (new TUclFileMappingView(this, Access, Count, Offset, Address))->Index();
}

void TUclCustomFileMapping::Delete(int Index) { delete FViews.at(Index); }

int TUclCustomFileMapping::IndexOf(const TUclFileMappingView* View) const {
  auto it = std::find(FViews.begin(), FViews.end(), View);
  return it == FViews.end() ? -1 : static_cast<int>(it - FViews.begin());
}

TUclSwapFileMapping::TUclSwapFileMapping(const fw::String& Name, DWORD Protect, int64_t MaximumSize,
                                         LPSECURITY_ATTRIBUTES SecAttr) {
  FName = Name;
  FHandle = CreateFileMappingW(INVALID_HANDLE_VALUE, SecAttr, Protect, static_cast<DWORD>(MaximumSize >> 32),
                               static_cast<DWORD>(MaximumSize), Name.empty() ? nullptr : W(Name));
  if (!FHandle) throw EUclFileMappingError(u"Failed to create FileMapping");
  FExisted = GetLastError() == ERROR_ALREADY_EXISTS;
}

// ---- Views

TUclFileMappingView::TUclFileMappingView(TUclCustomFileMapping* FileMap, DWORD Access, SIZE_T Size,
                                         int64_t ViewOffset, void* Address)
    : FFileMapping(FileMap) {
  if (!FileMap) {
    SetLastError(ERROR_INVALID_PARAMETER);
    throw EUclFileMappingViewError(u"FileMap argument of TUclFileMappingView constructor cannot be nil");
  }
  const int64_t granularity = AllocationGranularity();
  const int64_t offset = RoundViewOffsetTo(ViewOffset, granularity, FileMap->RoundViewOffset());
  FOffsetHigh = static_cast<DWORD>(offset >> 32);
  FOffsetLow = static_cast<DWORD>(offset);
  void* base;
  if (Address) {
    const auto wanted = static_cast<int64_t>(reinterpret_cast<uintptr_t>(Address));
    void* rounded = reinterpret_cast<void*>(
        static_cast<uintptr_t>(RoundViewOffsetTo(wanted, granularity, FileMap->RoundViewOffset())));
    base = MapViewOfFileEx(FileMap->Handle(), Access, FOffsetHigh, FOffsetLow, Size, rounded);
  } else {
    base = MapViewOfFile(FileMap->Handle(), Access, FOffsetHigh, FOffsetLow, Size);
  }
  if (!base) throw EUclFileMappingViewError(u"Failed to create FileMappingView");
  FMemory = static_cast<uint8_t*>(base);
  FSize = Size;
  if (FSize == 0) {
    // Mapped to the end of the mapping: the region says how far that is.
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(base, &info, sizeof info)) FSize = info.RegionSize;
  }
  FileMap->FViews.push_back(this);
}

TUclFileMappingView::~TUclFileMappingView() {
  if (FMemory) UnmapViewOfFile(FMemory);
  FMemory = nullptr;
  FSize = 0;
  auto& views = FFileMapping->FViews;
  views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

int64_t TUclFileMappingView::Read(void* Buffer, int64_t Count) {
  // A position before the view (after a seek) reads nothing, never memory
  // in front of it.
  if (FPosition < 0) return 0;
  const int64_t available = std::max<int64_t>(0, Size() - FPosition);
  const int64_t n = std::clamp<int64_t>(Count, 0, available);
  if (n > 0) std::memcpy(Buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TUclFileMappingView::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0 || FPosition < 0 || Count > Size() - FPosition) return 0;
  std::memcpy(FMemory + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition += Count;
  return Count;
}

int64_t TUclFileMappingView::Seek(int64_t Offset, fw::TSeekOrigin Origin) {
  switch (Origin) {
    case fw::TSeekOrigin::soBeginning:
      FPosition = Offset;
      break;
    case fw::TSeekOrigin::soCurrent:
      FPosition += Offset;
      break;
    case fw::TSeekOrigin::soEnd:
      FPosition = Size() + Offset;
      break;
  }
  return FPosition;
}

void TUclFileMappingView::SetSize(int64_t) { throw fw::EStreamError(u"A file mapping view cannot change its size"); }

bool TUclFileMappingView::Flush(SIZE_T Count) { return FlushViewOfFile(FMemory, Count) != 0; }

void TUclFileMappingView::LoadFromStream(fw::TStream& Stream) {
  const int64_t size = Stream.Size();
  if (size > Size()) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    throw EUclFileMappingViewError(u"Not enough space in View in procedure LoadFromStream");
  }
  Stream.SetPosition(0);
  Stream.ReadBuffer(FMemory, size);
}

void TUclFileMappingView::LoadFromFile(const fw::String& FileName) {
  fw::TFileStream stream(FileName, fw::fmOpenRead);
  LoadFromStream(stream);
}

}  // namespace services
