// Named file mappings backed by the paging file, and their views as
// streams over the mapped bytes.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace services {

class TUclFileMappingView;

enum TUclFileMappingRoundOffset { rvDown, rvUp };

class TUclCustomFileMapping {
 public:
  virtual ~TUclCustomFileMapping();
  TUclCustomFileMapping(const TUclCustomFileMapping&) = delete;
  TUclCustomFileMapping& operator=(const TUclCustomFileMapping&) = delete;

  // Opens an existing mapping; raises EUclFileMappingError.
  static TUclCustomFileMapping* Open(const fw::String& Name, bool InheritHandle, DWORD DesiredAccess);

  // A new view (owned by the mapping) and its index.
  int Add(DWORD Access, SIZE_T Count, int64_t Offset);
  int AddAt(DWORD Access, SIZE_T Count, int64_t Offset, void* Address);
  void Delete(int Index);
  int IndexOf(const TUclFileMappingView* View) const;

  int Count() const { return static_cast<int>(FViews.size()); }
  TUclFileMappingView* Views(int Index) const { return FViews.at(Index); }
  bool Existed() const { return FExisted; }
  HANDLE Handle() const { return FHandle; }
  const fw::String& Name() const { return FName; }
  TUclFileMappingRoundOffset RoundViewOffset() const { return FRoundViewOffset; }
  void SetRoundViewOffset(TUclFileMappingRoundOffset Value) { FRoundViewOffset = Value; }

 protected:
  TUclCustomFileMapping() = default;
  bool FExisted = false;
  HANDLE FHandle = nullptr;
  fw::String FName;

 private:
  friend class TUclFileMappingView;
  TUclFileMappingRoundOffset FRoundViewOffset = rvDown;
  std::vector<TUclFileMappingView*> FViews;
};

class TUclSwapFileMapping : public TUclCustomFileMapping {
 public:
  // Creates the mapping, or opens it when one of that name exists
  // (Existed). Raises EUclFileMappingError "Failed to create FileMapping".
  TUclSwapFileMapping(const fw::String& Name, DWORD Protect, int64_t MaximumSize, LPSECURITY_ATTRIBUTES SecAttr);
};

// One mapped view: a stream over the view's bytes that never grows.
class TUclFileMappingView : public fw::TStream {
 public:
  // The offset is rounded to the allocation granularity as the mapping
  // says; Size 0 maps to the end of the mapping. Raises
  // EUclFileMappingViewError.
  TUclFileMappingView(TUclCustomFileMapping* FileMap, DWORD Access, SIZE_T Size, int64_t ViewOffset,
                      void* Address = nullptr);
  ~TUclFileMappingView() override;

  int64_t Read(void* Buffer, int64_t Count) override;
  // Writes nothing and answers 0 when Count does not fit after Position.
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, fw::TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(FSize); }
  void SetSize(int64_t) override;

  bool Flush(SIZE_T Count);
  // Raises EUclFileMappingViewError when the stream is larger than the view.
  void LoadFromStream(fw::TStream& Stream);
  void LoadFromFile(const fw::String& FileName);

  void* Memory() const { return FMemory; }
  int Index() const { return FFileMapping->IndexOf(this); }
  TUclCustomFileMapping* FileMapping() const { return FFileMapping; }
  int64_t Offset() const { return (static_cast<int64_t>(FOffsetHigh) << 32) | FOffsetLow; }

 private:
  TUclCustomFileMapping* FFileMapping;
  DWORD FOffsetHigh = 0;
  DWORD FOffsetLow = 0;
  uint8_t* FMemory = nullptr;
  SIZE_T FSize = 0;
  int64_t FPosition = 0;
};

// The allocation granularity rounding of a view offset: down, or up to the
// next multiple.
int64_t RoundViewOffsetTo(int64_t Offset, int64_t Granularity, TUclFileMappingRoundOffset Round);

}  // namespace services
