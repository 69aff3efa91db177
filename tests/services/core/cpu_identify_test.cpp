// Processor identification over recorded CPUID answers, the cache
// descriptors, the frequency snapping and the speed measurement with a
// made-up clock.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <map>

#include "services/core/cpu_identify.h"

using namespace services;

namespace {

// CPUID answers by leaf; leaves not recorded answer zeros.
class TRecordedCpuid : public TCpuidSource {
 public:
  bool supported = true;
  std::map<uint32_t, TCpuidRegs> leaves;
  bool Supported() const override { return supported; }
  TCpuidRegs Query(uint32_t Leaf, uint32_t) const override {
    auto it = leaves.find(Leaf);
    return it == leaves.end() ? TCpuidRegs{} : it->second;
  }
  void Vendor(uint32_t highest, const char* text) {
    uint32_t r[3];
    std::memcpy(r, text, 12);
    leaves[0] = {highest, r[0], r[2], r[1]};
  }
  void Brand(const char* text) {
    char buffer[48] = {};
    std::strncpy(buffer, text, 47);
    for (int i = 0; i < 3; ++i) {
      uint32_t r[4];
      std::memcpy(r, buffer + 16 * i, 16);
      leaves[0x80000002 + i] = {r[0], r[1], r[2], r[3]};
    }
  }
};

uint32_t Signature(int family, int model, int stepping) {
  return (static_cast<uint32_t>(family) << 8) | (static_cast<uint32_t>(model) << 4) | static_cast<uint32_t>(stepping);
}

TEST(ProcessorIdentification, WithoutTheInstructionTheProcessorIsUnknown) {
  TRecordedCpuid cpu;
  cpu.supported = false;
  TCpuInfo info;
  IdentifyProcessorVendor(cpu, info);
  EXPECT_FALSE(info.HasInstruction);
  EXPECT_EQ(info.Family, 4);
  EXPECT_EQ(info.CpuType, CPU_TYPE_UNKNOWN);
  EXPECT_EQ(info.Manufacturer, "Unknown");
  EXPECT_EQ(info.CpuName, "Unknown");
  EXPECT_EQ(info.LogicalCore, 1);
  EXPECT_EQ(info.PhysicalCore, 1);
}

TEST(ProcessorIdentification, OldIntelNamesComeFromFamilyModelAndBrand) {
  struct Case {
    int family, model, brand;
    uint8_t descriptor;  // a level-2 cache descriptor, or 0
    const char* name;
  };
  const Case cases[] = {
      {6, 8, 2, 0, "Pentium III"},       {6, 8, 1, 0, "Celeron"},          {6, 8, 3, 0, "Pentium III Xeon"},
      {6, 5, 0, 0, "Celeron"},           {6, 5, 0, 0x84, "Pentium II Xeon"}, {6, 5, 0, 0x82, "Pentium II"},
      {6, 6, 0, 0x41, "Celeron"},        {6, 7, 0, 0x45, "Pentium III Xeon"}, {6, 9, 0, 0, "P6 (Model 9)"},
      {15, 2, 14, 0, "Xeon"},            {15, 2, 9, 0, "Pentium 4"},       {4, 3, 0, 0, "Intel DX2 Processor"},
      {4, 6, 0, 0, "Intel 486 Processor"}, {5, 2, 0, 0, "Pentium"},        {7, 0, 0, 0, "P7"},
  };
  for (const Case& c : cases) {
    TRecordedCpuid cpu;
    cpu.Vendor(2, "GenuineIntel");
    cpu.leaves[1] = {Signature(c.family, c.model, 1), static_cast<uint32_t>(c.brand), 0, 1u << 23};
    cpu.leaves[2] = {0x01u | (static_cast<uint32_t>(c.descriptor) << 8), 0, 0, 0};
    TCpuInfo info;
    IdentifyProcessorVendor(cpu, info);
    EXPECT_EQ(info.CpuName, c.name) << c.family << "/" << c.model << "/" << c.brand;
    EXPECT_EQ(info.CpuType, CPU_TYPE_INTEL);
    EXPECT_EQ(info.Manufacturer, "Intel");
    EXPECT_TRUE(info.MMX);
  }
}

TEST(ProcessorIdentification, ModernIntelReadsBrandFlagsCachesAndCores) {
  TRecordedCpuid cpu;
  cpu.Vendor(6, "GenuineIntel");
  const uint32_t ecx = (1u << 0) | (1u << 9) | (1u << 19) | (1u << 20) | (1u << 25) | (1u << 28);
  const uint32_t edx = (1u << 4) | (1u << 23) | (1u << 25) | (1u << 26) | (1u << 28);
  cpu.leaves[1] = {0x000906EA, (16u << 16) | (8u << 8) | 0x02, ecx, edx};
  // Level-1 data 32 KB (0x2C), level-1 code 32 KB (0x30), level 3 8 MB (0x4B);
  // a register with its top bit set carries nothing.
  cpu.leaves[2] = {0x00302C01, 0x0000004B, 0x80000084, 0};
  cpu.leaves[4] = {(7u << 26) | 0x121, 0, 0, 0};
  cpu.leaves[6] = {0x77, 0, 0, 0};
  cpu.leaves[0x80000000] = {0x80000008, 0, 0, 0};
  cpu.leaves[0x80000001] = {0, 0, 0x121, (1u << 29) | (1u << 20)};
  cpu.Brand("Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
  cpu.leaves[0x80000006] = {0, 0, (256u << 16) | (4u << 12) | 64, 0};
  cpu.leaves[0x80000008] = {0x3027, 0, 0, 0};
  TCpuInfo info;
  IdentifyProcessorVendor(cpu, info);
  EXPECT_EQ(info.VendorIDString, "GenuineIntel");
  EXPECT_EQ(info.CpuName, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
  EXPECT_EQ(info.Family, 6);
  EXPECT_EQ(info.Model, 0xE);
  EXPECT_EQ(info.ExtendedModel, 9);
  EXPECT_EQ(info.Stepping, 0xA);
  EXPECT_EQ(info.SSE, SSEBit(sse) | SSEBit(sse2) | SSEBit(sse3) | SSEBit(ssse3) | SSEBit(sse41) | SSEBit(sse42) |
                          SSEBit(avx));
  EXPECT_TRUE(info.AES);
  EXPECT_TRUE(info.Is64Bits);
  EXPECT_TRUE(info.DEPCapable);
  EXPECT_TRUE(info.HasExtendedInfo);
  EXPECT_TRUE(info.HasCacheInfo);
  EXPECT_TRUE(info.HyperThreadingTechnology);
  EXPECT_EQ(info.LogicalCore, 16);
  EXPECT_EQ(info.PhysicalCore, 8);
  EXPECT_TRUE(info.HardwareMultithreading);
  EXPECT_EQ(info.L1DataCache.Size, 32u);
  EXPECT_EQ(info.L1DataCache.Associativity, 8);
  EXPECT_EQ(info.L1InstructionCache.Size, 32u);
  EXPECT_EQ(info.L2Cache.Size, 256u) << "the extended leaf wins over descriptors";
  EXPECT_EQ(info.L2Cache.Associativity, 4);
  EXPECT_EQ(info.L3Cache.Size, 8192u);
  EXPECT_EQ(info.L3Cache.Associativity, 16);
  EXPECT_EQ(info.IntelSpecific.PowerManagementFeatures, 0x77u);
  EXPECT_EQ(info.IntelSpecific.PhysicalAddressBits, 0x27);
  EXPECT_EQ(info.IntelSpecific.VirtualAddressBits, 0x30);
}

TEST(ProcessorIdentification, IntelDescriptorsSumTheLevelTwoCacheWithoutTheExtendedLeaf) {
  TRecordedCpuid cpu;
  cpu.Vendor(2, "GenuineIntel");
  cpu.leaves[1] = {Signature(6, 7, 3), 0, 0, 0};
  cpu.leaves[2] = {0x43000001u, 0x0000000A, 0, 0};  // 512 KB level 2, 8 KB level-1 data
  TCpuInfo info;
  IdentifyProcessorVendor(cpu, info);
  EXPECT_EQ(info.L2Cache.Size, 512u);
  EXPECT_EQ(info.L2Cache.LineSize, 32);
  EXPECT_EQ(info.L1DataCache.Size, 8u);
  EXPECT_EQ(info.CpuName, "Pentium III");
  ASSERT_NE(FindCacheDescriptor(0x2C), nullptr);
  EXPECT_EQ(FindCacheDescriptor(0x2C)->Kind, TCacheKind::L1Data);
  EXPECT_EQ(FindCacheDescriptor(0x01), nullptr) << "TLB descriptors add no cache";
}

TEST(ProcessorIdentification, AmdCachesInKilobytesAndFlags) {
  TRecordedCpuid cpu;
  cpu.Vendor(0x10, "AuthenticAMD");
  cpu.leaves[1] = {0x00800F11, 0, (1u << 0) | (1u << 19) | (1u << 20) | (1u << 25), (1u << 23) | (1u << 25) | (1u << 26)};
  cpu.leaves[0x80000000] = {0x80000008, 0, 0, 0};
  cpu.leaves[0x80000001] = {0x00800F11, 0x1234, 1u << 6, (1u << 22) | (1u << 29) | (1u << 20)};
  cpu.Brand("AMD Ryzen 7 1700 Eight-Core Processor");
  cpu.leaves[0x80000005] = {0, 0, (32u << 24) | (8u << 16) | 64, (64u << 24) | (4u << 16) | 64};
  // Level 2: 512 KB, 8-way (code 8); level 3: 16 MB as 32 steps of 512 KB.
  cpu.leaves[0x80000006] = {0, 0, (512u << 16) | (8u << 12) | 64, (32u << 18) | (6u << 12) | 64};
  cpu.leaves[0x80000008] = {0x3030, 0, 15, 0};
  TCpuInfo info;
  IdentifyProcessorVendor(cpu, info);
  EXPECT_EQ(info.CpuType, CPU_TYPE_AMD);
  EXPECT_EQ(info.CpuName, "AMD Ryzen 7 1700 Eight-Core Processor");
  EXPECT_EQ(info.L1DataCache.Size, 32u);
  EXPECT_EQ(info.L1InstructionCache.Size, 64u);
  EXPECT_EQ(info.L2Cache.Size, 512u);
  EXPECT_EQ(info.L3Cache.Size, 16384u) << "KB like every other cache size";
  EXPECT_EQ(info.PhysicalCore, 16);
  EXPECT_TRUE(info.ExMMX);
  EXPECT_TRUE(info.Is64Bits);
  EXPECT_TRUE(info.DEPCapable);
  EXPECT_FALSE(info._3DNow);
  EXPECT_EQ(info.SSE, SSEBit(sse) | SSEBit(sse2) | SSEBit(sse3) | SSEBit(sse4A) | SSEBit(sse41) | SSEBit(sse42));
  EXPECT_EQ(info.AMDSpecific.ExBrandID, 0x1234);
}

TEST(ProcessorIdentification, OldVendorsByNameTable) {
  struct Case {
    const char* vendor;
    int family, model;
    uint8_t code;
    const char* manufacturer;
    const char* name;
  };
  const Case cases[] = {
      {"AuthenticAMD", 5, 8, CPU_TYPE_AMD, "AMD", "AMD-K6\xAE-2 (Model 8)"},
      {"AuthenticAMD", 6, 3, CPU_TYPE_AMD, "AMD", "AMD Duron\x99 (Model 3)"},
      {"AuthenticAMD", 6, 5, CPU_TYPE_AMD, "AMD", "Unknown AMD (Model 5)"},
      {"AuthenticAMD", 7, 0, CPU_TYPE_AMD, "AMD", "Unknown AMD Chip"},
      {"CyrixInstead", 5, 4, CPU_TYPE_CYRIX, "Cyrix", "Cyrix GXm"},
      {"CyrixInstead", 6, 0, CPU_TYPE_CYRIX, "Cyrix", "6x86MX"},
      {"CentaurHauls", 6, 7, CPU_TYPE_VIA, "Via", "C3"},
      {"GenuineTMx86", 5, 4, CPU_TYPE_CRUSOE, "Transmeta", "Crusoe"},
      {"SomeoneElse!", 6, 1, CPU_TYPE_UNKNOWN, "Unknown", "Unknown"},
  };
  for (const Case& c : cases) {
    TRecordedCpuid cpu;
    cpu.Vendor(1, c.vendor);
    cpu.leaves[1] = {Signature(c.family, c.model, 0), 0, 0, 1u << 23};
    TCpuInfo info;
    IdentifyProcessorVendor(cpu, info);
    EXPECT_EQ(info.CpuType, c.code) << c.vendor;
    EXPECT_EQ(info.Manufacturer, c.manufacturer) << c.vendor;
    EXPECT_EQ(info.CpuName, c.name) << c.vendor;
  }
}

TEST(ProcessorSpeed, SnapFrequencyTable) {
  const std::pair<int, int> cases[] = {{2397, 2400}, {1666, 1666}, {1810, 1820}, {1833, 1833}, {2997, 3000},
                                       {0, 0},       {99, 100},    {100, 100},   {1899, 1900}, {1840, 1833},
                                       {-1, -1}};
  for (auto [in, out] : cases) EXPECT_EQ(SnapFrequency(in), out) << in;
}

// A reference clock of 10 MHz and a cycle counter that runs Rate cycles per
// reference tick; every read moves the reference one tick on.
class TFakeClock : public TSpeedClock {
 public:
  explicit TFakeClock(uint64_t rate, bool hasFrequency = true) : rate_(rate), hasFrequency_(hasFrequency) {}
  bool Frequency(int64_t& f) override {
    f = 10000000;
    return hasFrequency_;
  }
  int64_t Counter() override { return ++ticks_; }
  uint64_t Cycles() override { return static_cast<uint64_t>(ticks_) * rate_ + jitter(); }
  void EnterTimedPart() override { ++entered_; }
  void LeaveTimedPart() override { ++left_; }
  int entered_ = 0, left_ = 0;
  int64_t ticks_ = 0;
  uint64_t rate_;
  bool hasFrequency_;
  std::function<uint64_t()> jitter = [] { return uint64_t(0); };
};

TEST(ProcessorSpeed, StableClockStopsAfterThreePassesAndSnaps) {
  TFakeClock clock(240);  // 2400 MHz against 10 MHz
  TFreqInfo info;
  ASSERT_TRUE(MeasureProcessorSpeed(clock, info));
  EXPECT_EQ(clock.entered_, 3);
  EXPECT_EQ(clock.left_, 3) << "the priority comes back after each pass";
  EXPECT_EQ(info.RawFreq, 2400);
  EXPECT_EQ(info.NormFreq, 2400);
  EXPECT_EQ(info.ExTicks, 300) << "three passes of 1000 ticks at 10 MHz";
  EXPECT_EQ(info.InCycles, 3 * 1000 * 240);
}

TEST(ProcessorSpeed, UnstableClockStopsAtTwentyPassesAndNoFrequencyMeasuresNothing) {
  TFakeClock clock(200);
  // Every other pass runs far faster, so three estimates never agree.
  clock.jitter = [&] { return static_cast<uint64_t>(clock.ticks_ / 1051 % 2 ? 0 : clock.ticks_ * 50); };
  TFreqInfo info;
  ASSERT_TRUE(MeasureProcessorSpeed(clock, info));
  EXPECT_EQ(clock.entered_, 20);

  TFakeClock none(100, false);
  TFreqInfo untouched;
  untouched.RawFreq = 7;
  EXPECT_FALSE(MeasureProcessorSpeed(none, untouched));
  EXPECT_EQ(untouched.RawFreq, 7);
}

TEST(ProcessorSpeed, DivisionTestPassesAndTheRunningProcessorHasTheInstruction) {
  EXPECT_TRUE(TestFdivOk());
#if defined(__x86_64__)
  TCpuInfo info;
  IdentifyProcessorVendor(RunningProcessor(), info);
  EXPECT_TRUE(info.HasInstruction);
  EXPECT_EQ(info.VendorIDString.size(), 12u);
  EXPECT_TRUE(info.Is64Bits || info.CpuType == CPU_TYPE_UNKNOWN);
#endif
}

}  // namespace
