// Processor identification from the CPUID instruction: vendor, family and
// model, name, feature flags, cache sizes and core counts, the division
// test and the clock-speed measurement against a reference counter. The
// instruction and the clocks come through small interfaces, so recorded
// answers of other processors can be decoded too.
#pragma once

#include <cstdint>
#include <string>

namespace services {

struct TCpuidRegs {
  uint32_t EAX = 0, EBX = 0, ECX = 0, EDX = 0;
};

// The CPUID instruction, or recorded answers of one.
class TCpuidSource {
 public:
  virtual ~TCpuidSource() = default;
  virtual bool Supported() const = 0;
  virtual TCpuidRegs Query(uint32_t Leaf, uint32_t SubLeaf) const = 0;
};

// The running processor; not supported where the instruction is not built.
const TCpuidSource& RunningProcessor();

enum class TCkCPUType { cpuUnknown, cpuIntel, cpuCyrix, cpuAMD, cpuCrusoe };
// Vendor codes of the record; VIA has no TCkCPUType member of its own.
constexpr uint8_t CPU_TYPE_UNKNOWN = 0, CPU_TYPE_INTEL = 1, CPU_TYPE_CYRIX = 2, CPU_TYPE_AMD = 3,
                  CPU_TYPE_CRUSOE = 4, CPU_TYPE_VIA = 5;

enum TSSESupport { sse, sse2, sse3, ssse3, sse41, sse42, sse4A, sse5, avx };
using TSSESupports = uint16_t;  // bit per member
constexpr TSSESupports SSEBit(TSSESupport s) { return static_cast<TSSESupports>(1u << s); }

struct TIntelSpecific {
  uint32_t L2Cache = 0;
  uint8_t CacheDescriptors[16] = {};
  uint8_t BrandID = 0, FlushLineSize = 0, APICID = 0;
  uint32_t ExFeatures = 0, Ex64Features = 0, Ex64Features2 = 0, PowerManagementFeatures = 0;
  uint8_t PhysicalAddressBits = 0, VirtualAddressBits = 0;
};

struct TAMDSpecific {
  uint32_t ExFeatures = 0, ExFeatures2 = 0, Features2 = 0;
  uint8_t BrandID = 0, FlushLineSize = 0, APICID = 0;
  uint16_t ExBrandID = 0;
  uint16_t L1MByteInstructionTLB = 0, L1MByteDataTLB = 0, L1KByteInstructionTLB = 0, L1KByteDataTLB = 0;
  uint32_t L1DataCache = 0, L1InstructionCache = 0;
  uint16_t L2MByteInstructionTLB = 0, L2MByteDataTLB = 0, L2KByteDataTLB = 0, L2KByteInstructionTLB = 0;
  uint32_t L2Cache = 0, L3Cache = 0, AdvancedPowerManagement = 0;
  uint8_t PhysicalAddressSize = 0, VirtualAddressSize = 0;
};

struct TCyrixSpecific {
  uint32_t L1CacheInfo = 0, TLBInfo = 0;
};

struct TVIASpecific {
  uint32_t ExFeatures = 0, DataTLB = 0, InstructionTLB = 0, L1DataCache = 0, L1InstructionCache = 0,
           L2DataCache = 0;
};

struct TTransmetaSpecific {
  uint32_t ExFeatures = 0, DataTLB = 0, CodeTLB = 0, L1DataCache = 0, L1CodeCache = 0, L2Cache = 0;
  uint32_t RevisionABCD = 0, RevisionXXXX = 0, Frequency = 0, CodeMorphingABCD = 0, CodeMorphingXXXX = 0;
  uint32_t TransmetaFeatures = 0;
  char TransmetaInformations[65] = {};
  uint32_t CurrentVoltage = 0, CurrentFrequency = 0, CurrentPerformance = 0;
};

struct TFreqInfo {
  int64_t RawFreq = 0, NormFreq = 0, InCycles = 0, ExTicks = 0;
};

struct TCacheInfo {
  uint32_t Size = 0;  // KB
  uint8_t LineSize = 0, Associativity = 0;
};

struct TCpuInfo {
  bool HasInstruction = false, AES = false, MMX = false, ExMMX = false, _3DNow = false, Ex3DNow = false;
  TSSESupports SSE = 0;
  bool IsFDIVOK = false, Is64Bits = false, DEPCapable = false, HasCacheInfo = false, HasExtendedInfo = false;
  uint8_t PType = 0, Family = 0, ExtendedFamily = 0, Model = 0, ExtendedModel = 0, Stepping = 0;
  uint32_t Features = 0;
  TFreqInfo FrequencyInfo;
  std::string VendorIDString;  // 12 characters
  std::string Manufacturer;
  std::string CpuName;         // Windows-1252 text
  TCacheInfo L1DataCache, L1InstructionCache, L2Cache, L3Cache;
  uint8_t L3LinesPerSector = 0;
  uint8_t LogicalCore = 1, PhysicalCore = 1;
  bool HyperThreadingTechnology = false, HardwareMultithreading = false;
  uint8_t CpuType = CPU_TYPE_UNKNOWN;
  TIntelSpecific IntelSpecific;
  TAMDSpecific AMDSpecific;
  TCyrixSpecific CyrixSpecific;
  TVIASpecific ViaSpecific;
  TTransmetaSpecific TransmetaSpecific;
};

// The vendor decoding: everything but the division test and the speed.
void IdentifyProcessorVendor(const TCpuidSource& Cpuid, TCpuInfo& Info);

// One entry of the processor's cache descriptor list (leaf 2).
enum class TCacheKind { L1Instruction, L1Data, L2, L3, Trace, Other };
struct TCacheDescriptor {
  uint8_t Descriptor;
  TCacheKind Kind;
  uint32_t Size;  // KB
  uint8_t Ways, LineSize, LinesPerSector;
};
const TCacheDescriptor* FindCacheDescriptor(uint8_t Descriptor);

// X - (X / Y) * Y in extended precision for the historic division fault.
bool TestFdivOk();

// The clocks of the speed measurement.
class TSpeedClock {
 public:
  virtual ~TSpeedClock() = default;
  virtual bool Frequency(int64_t& TicksPerSecond) = 0;
  virtual int64_t Counter() = 0;
  virtual uint64_t Cycles() = 0;
  // The timed part runs at the highest thread priority when it can.
  virtual void EnterTimedPart() {}
  virtual void LeaveTimedPart() {}
};

// Measures the cycle counter against the reference clock; false (and Info
// unchanged) when the reference has no frequency.
bool MeasureProcessorSpeed(TSpeedClock& Clock, TFreqInfo& Info);
// The nearest usual clock step of a frequency in MHz (2397 gives 2400).
int SnapFrequency(int Frequency);

// Vendor, division test and, with a cycle counter, the speed.
void IdentifyProcessor(const TCpuidSource& Cpuid, TSpeedClock& Clock, TCpuInfo& Info);

}  // namespace services
