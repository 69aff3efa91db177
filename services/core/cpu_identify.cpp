#include "services/core/cpu_identify.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace services {

namespace {

class TRunningCpuid : public TCpuidSource {
 public:
  bool Supported() const override {
#if defined(__x86_64__)
    return true;  // every 64-bit processor has it
#elif defined(__i386__)
    return __get_cpuid_max(0, nullptr) != 0;
#else
    return false;
#endif
  }
  TCpuidRegs Query(uint32_t Leaf, uint32_t SubLeaf) const override {
    TCpuidRegs r;
#if defined(__x86_64__) || defined(__i386__)
    __cpuid_count(Leaf, SubLeaf, r.EAX, r.EBX, r.ECX, r.EDX);
#else
    (void)Leaf;
    (void)SubLeaf;
#endif
    return r;
  }
};

bool Bit(uint32_t Value, int N) { return (Value >> N) & 1; }

void AppendRegister(std::string& Text, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Text.push_back(static_cast<char>((Value >> (8 * i)) & 0xFF));
}

std::string CutAtZero(std::string Text) {
  const size_t zero = Text.find('\0');
  if (zero != std::string::npos) Text.resize(zero);
  return Text;
}

std::string Formatted(const char* Format, int Value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, Format, Value);
  return buffer;
}

// The 48-character name of leaves 0x80000002 to 0x80000004.
std::string BrandString(const TCpuidSource& c) {
  std::string name;
  for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
    const TCpuidRegs r = c.Query(leaf, 0);
    AppendRegister(name, r.EAX);
    AppendRegister(name, r.EBX);
    AppendRegister(name, r.ECX);
    AppendRegister(name, r.EDX);
  }
  return CutAtZero(name);
}

void DecodeSignature(uint32_t EAX, TCpuInfo& Info) {
  Info.PType = (EAX >> 12) & 3;
  Info.Family = (EAX >> 8) & 0xF;
  Info.ExtendedFamily = (EAX >> 20) & 0xFF;
  Info.Model = (EAX >> 4) & 0xF;
  Info.ExtendedModel = (EAX >> 16) & 0xF;
  Info.Stepping = EAX & 0xF;
}

// A cache register of leaf 0x80000005: size in the top byte, ways next,
// line size in the low byte.
void DecodeL1(uint32_t Value, TCacheInfo& Cache) {
  Cache.Size = Value >> 24;
  Cache.Associativity = (Value >> 16) & 0xFF;
  Cache.LineSize = Value & 0xFF;
}

void DecodeL2(uint32_t Value, TCacheInfo& Cache) {
  Cache.Size = Value >> 16;
  Cache.Associativity = (Value >> 12) & 0xF;
  Cache.LineSize = Value & 0xFF;
}

void GenericDecoding(const TCpuidSource& c, uint32_t HighestLeaf, TCpuInfo& Info) {
  if (HighestLeaf < 1) return;
  const TCpuidRegs r = c.Query(1, 0);
  DecodeSignature(r.EAX, Info);
  Info.Features = r.EDX;
  if (Info.CpuType != CPU_TYPE_INTEL) return;
  TIntelSpecific& s = Info.IntelSpecific;
  s.ExFeatures = r.ECX;
  s.BrandID = r.EBX & 0xFF;
  s.FlushLineSize = (r.EBX >> 8) & 0xFF;
  s.APICID = (r.EBX >> 24) & 0xFF;
  Info.HyperThreadingTechnology = Bit(r.EDX, 28);
  if (Info.HyperThreadingTechnology) {
    Info.LogicalCore = (r.EBX >> 16) & 0xFF;
    if (Info.LogicalCore == 0) Info.LogicalCore = 1;
  }
  if (HighestLeaf >= 2) {
    const TCpuidRegs d = c.Query(2, 0);
    const uint32_t regs[4] = {d.EAX, d.EBX, d.ECX, d.EDX};
    for (int i = 0; i < 4; ++i) {
      // A register with its top bit set holds no descriptors; the low byte
      // of EAX is the number of times to ask, not a descriptor.
      if (Bit(regs[i], 31)) continue;
      for (int b = 0; b < 4; ++b) s.CacheDescriptors[i * 4 + b] = static_cast<uint8_t>(regs[i] >> (8 * b));
    }
    s.CacheDescriptors[0] = 0;
    Info.HasCacheInfo = true;
  }
}

void DeriveSseFlags(TCpuInfo& Info, uint32_t Features2, bool IntelOnlyBits) {
  if (Bit(Info.Features, 25)) Info.SSE |= SSEBit(sse);
  if (Bit(Info.Features, 26)) Info.SSE |= SSEBit(sse2);
  if (Bit(Features2, 0)) Info.SSE |= SSEBit(sse3);
  if (IntelOnlyBits) {
    if (Bit(Features2, 9)) Info.SSE |= SSEBit(ssse3);
    if (Bit(Features2, 19)) Info.SSE |= SSEBit(sse41);
    if (Bit(Features2, 20)) Info.SSE |= SSEBit(sse42);
    if (Bit(Features2, 28)) Info.SSE |= SSEBit(avx);
  }
}

std::string IntelNameFromModel(const TCpuInfo& Info) {
  const int model = Info.Model, brand = Info.IntelSpecific.BrandID;
  const uint32_t l2 = Info.L2Cache.Size;
  switch (Info.Family) {
    case 4:
      switch (model) {
        case 1: return "Intel 486DX Processor";
        case 2: return "Intel 486SX Processor";
        case 3: return "Intel DX2 Processor";
        case 4: return "Intel 486 Processor";
        case 5: return "Intel SX2 Processor";
        case 7: return "Write-Back Enhanced Intel DX2 Processor";
        case 8: return "Intel DX4 Processor";
        default: return "Intel 486 Processor";
      }
    case 5:
      return "Pentium";
    case 6:
      switch (model) {
        case 1: return "Pentium Pro";
        case 3: return "Pentium II";
        case 5: return l2 == 0 ? "Celeron" : (l2 == 1024 || l2 == 2048) ? "Pentium II Xeon" : "Pentium II";
        case 6: return l2 == 0 || l2 == 128 ? "Celeron" : "Pentium II";
        case 7: return l2 == 1024 || l2 == 2048 ? "Pentium III Xeon" : "Pentium III";
        case 8: return brand == 1 ? "Celeron" : brand == 3 ? "Pentium III Xeon" : "Pentium III";
        case 10: return "Pentium III Xeon";
        case 11: return "Pentium III";
        default: return Formatted("P6 (Model %d)", model);
      }
    case 15:
      return brand == 1 ? "Celeron" : brand == 14 ? "Xeon" : "Pentium 4";
    default:
      return Formatted("P%d", Info.Family);
  }
}

void IdentifyIntel(const TCpuidSource& c, uint32_t Highest, TCpuInfo& Info) {
  Info.Manufacturer = "Intel";
  GenericDecoding(c, Highest, Info);
  TIntelSpecific& s = Info.IntelSpecific;
  if (Highest > 3) Info.PhysicalCore = static_cast<uint8_t>((c.Query(4, 0).EAX >> 26) + 1);
  if (Highest > 5) s.PowerManagementFeatures = c.Query(6, 0).EAX;
  const uint32_t highestEx = c.Query(0x80000000, 0).EAX;
  if (highestEx >= 0x80000001) {
    Info.HasExtendedInfo = true;
    const TCpuidRegs r = c.Query(0x80000001, 0);
    s.Ex64Features = r.EDX;
    s.Ex64Features2 = r.ECX;
  }
  if (highestEx >= 0x80000004) Info.CpuName = BrandString(c);
  if (highestEx >= 0x80000006) s.L2Cache = c.Query(0x80000006, 0).ECX;
  if (highestEx >= 0x80000008) {
    const uint32_t a = c.Query(0x80000008, 0).EAX;
    s.PhysicalAddressBits = a & 0xFF;
    s.VirtualAddressBits = (a >> 8) & 0xFF;
  }
  if (Info.HasCacheInfo) {
    if (s.L2Cache != 0) DecodeL2(s.L2Cache, Info.L2Cache);
    for (uint8_t d : s.CacheDescriptors) {
      if (d == 0) continue;
      const TCacheDescriptor* e = FindCacheDescriptor(d);
      if (!e) continue;
      TCacheInfo* cache = nullptr;
      switch (e->Kind) {
        case TCacheKind::L1Instruction: cache = &Info.L1InstructionCache; break;
        case TCacheKind::L1Data: cache = &Info.L1DataCache; break;
        case TCacheKind::L2: cache = s.L2Cache == 0 ? &Info.L2Cache : nullptr; break;
        case TCacheKind::L3: cache = &Info.L3Cache; Info.L3LinesPerSector = e->LinesPerSector; break;
        default: break;
      }
      if (!cache) continue;
      cache->Size += e->Size;
      cache->LineSize = e->LineSize;
      cache->Associativity = e->Ways;
    }
  }
  if (Info.CpuName.empty()) Info.CpuName = IntelNameFromModel(Info);
  Info.MMX = Bit(Info.Features, 23);
  Info.AES = Bit(s.ExFeatures, 25);
  DeriveSseFlags(Info, s.ExFeatures, true);
  Info.Is64Bits = Bit(s.Ex64Features, 29);
  Info.DEPCapable = Bit(s.Ex64Features, 20);
}

std::string AmdNameFromModel(const TCpuInfo& Info) {
  const int model = Info.Model;
  switch (Info.Family) {
    case 4:
      return "Am486(R) or Am5x86";
    case 5:
      if (model <= 3) return Formatted("AMD-K5 (Model %d)", model);
      if (model == 6 || model == 7) return Formatted("AMD-K6\xAE (Model %d)", model);
      if (model == 8) return "AMD-K6\xAE-2 (Model 8)";
      if (model == 9) return "AMD-K6\xAE-III (Model 9)";
      return Formatted("Unknown AMD (Model %d)", model);
    case 6:
      switch (model) {
        case 1: return "AMD Athlon\x99 (Model 1)";
        case 2: return "AMD Athlon\x99 (Model 2)";
        case 3: return "AMD Duron\x99 (Model 3)";
        case 4: return "AMD Athlon\x99 (Model 4)";
        case 6: return "AMD Athlon\x99 XP (Model 6)";
        case 7: return "AMD Duron\x99 (Model 7)";
        case 8: return "AMD Athlon\x99 XP (Model 8)";
        case 10: return "AMD Athlon\x99 XP (Model 10)";
        default: return Formatted("Unknown AMD (Model %d)", model);
      }
    case 8:
      return std::string();
    default:
      return "Unknown AMD Chip";
  }
}

// The extended leaves AMD defines, also read for Transmeta and VIA.
void ReadAmdCacheLeaves(const TCpuidSource& c, uint32_t HighestEx, TCpuInfo& Info) {
  TAMDSpecific& s = Info.AMDSpecific;
  if (HighestEx >= 0x80000005) {
    Info.HasCacheInfo = true;
    const TCpuidRegs r = c.Query(0x80000005, 0);
    s.L1MByteInstructionTLB = r.EAX & 0xFFFF;
    s.L1MByteDataTLB = r.EAX >> 16;
    s.L1KByteInstructionTLB = r.EBX & 0xFFFF;
    s.L1KByteDataTLB = r.EBX >> 16;
    s.L1DataCache = r.ECX;
    s.L1InstructionCache = r.EDX;
    DecodeL1(r.ECX, Info.L1DataCache);
    DecodeL1(r.EDX, Info.L1InstructionCache);
  }
  if (HighestEx >= 0x80000006) {
    const TCpuidRegs r = c.Query(0x80000006, 0);
    s.L2MByteInstructionTLB = r.EAX & 0xFFFF;
    s.L2MByteDataTLB = r.EAX >> 16;
    s.L2KByteInstructionTLB = r.EBX & 0xFFFF;
    s.L2KByteDataTLB = r.EBX >> 16;
    s.L2Cache = r.ECX;
    s.L3Cache = r.EDX;
    DecodeL2(r.ECX, Info.L2Cache);
    // Bits 18 to 31 count the level-3 cache in steps of 512 KB; every size
    // of the record is in KB.
    Info.L3Cache.Size = (r.EDX >> 18) * 512;
    Info.L3Cache.LineSize = r.EDX & 0xFF;
    Info.L3Cache.Associativity = (r.EDX >> 12) & 0xF;
  }
}

void IdentifyAmd(const TCpuidSource& c, uint32_t Highest, TCpuInfo& Info) {
  Info.Manufacturer = "AMD";
  TAMDSpecific& s = Info.AMDSpecific;
  if (Highest >= 1) {
    const TCpuidRegs r = c.Query(1, 0);
    DecodeSignature(r.EAX, Info);
    Info.Features = r.EDX;
    s.Features2 = r.ECX;
    s.BrandID = r.EBX & 0xFF;
    s.FlushLineSize = (r.EBX >> 8) & 0xFF;
    s.APICID = (r.EBX >> 24) & 0xFF;
    Info.HyperThreadingTechnology = Bit(r.EDX, 28);
    if (Info.HyperThreadingTechnology) {
      Info.LogicalCore = (r.EBX >> 16) & 0xFF;
      if (Info.LogicalCore == 0) Info.LogicalCore = 1;
    }
  }
  const uint32_t highestEx = c.Query(0x80000000, 0).EAX;
  const bool extended = highestEx >= 0x80000001;
  if (extended) {
    Info.HasExtendedInfo = true;
    const TCpuidRegs r = c.Query(0x80000001, 0);
    DecodeSignature(r.EAX, Info);
    s.ExFeatures = r.EDX;
    s.ExFeatures2 = r.ECX;
    s.ExBrandID = r.EBX & 0xFFFF;
    if (highestEx >= 0x80000004) Info.CpuName = BrandString(c);
    ReadAmdCacheLeaves(c, highestEx, Info);
    if (highestEx >= 0x80000007) s.AdvancedPowerManagement = c.Query(0x80000007, 0).EDX;
    if (highestEx >= 0x80000008) {
      const TCpuidRegs a = c.Query(0x80000008, 0);
      s.PhysicalAddressSize = a.EAX & 0xFF;
      s.VirtualAddressSize = (a.EAX >> 8) & 0xFF;
      Info.PhysicalCore = static_cast<uint8_t>((a.ECX & 0xFF) + 1);
    }
    Info.ExMMX = Bit(s.ExFeatures, 22);
    Info._3DNow = Bit(s.ExFeatures, 31);
    Info.Ex3DNow = Bit(s.ExFeatures, 30);
    Info.Is64Bits = Bit(s.ExFeatures, 29);
    Info.DEPCapable = Bit(s.ExFeatures, 20);
  }
  if (!extended || Info.CpuName.empty()) Info.CpuName = AmdNameFromModel(Info);
  Info.MMX = Bit(Info.Features, 23);
  Info.AES = Bit(s.Features2, 25);
  DeriveSseFlags(Info, s.Features2, false);
  if (extended) {
    if (Bit(s.ExFeatures2, 6)) Info.SSE |= SSEBit(sse4A);
    if (Bit(s.Features2, 19)) Info.SSE |= SSEBit(sse41);
    if (Bit(s.Features2, 20)) Info.SSE |= SSEBit(sse42);
  }
}

void IdentifyCyrix(const TCpuidSource& c, uint32_t Highest, TCpuInfo& Info) {
  Info.Manufacturer = "Cyrix";
  const uint32_t highestEx = c.Query(0x80000000, 0).EAX;
  if (highestEx >= 0x80000001) {
    Info.HasExtendedInfo = true;
    const TCpuidRegs r = c.Query(0x80000001, 0);
    DecodeSignature(r.EAX, Info);
    Info.Features = r.EDX;
    if (highestEx >= 0x80000004) Info.CpuName = BrandString(c);
    if (highestEx >= 0x80000005) {
      const TCpuidRegs l = c.Query(0x80000005, 0);
      Info.CyrixSpecific.TLBInfo = l.EBX;
      Info.CyrixSpecific.L1CacheInfo = l.ECX;
      Info.HasCacheInfo = true;
    }
    return;
  }
  GenericDecoding(c, Highest, Info);
  if (Info.Family == 4) Info.CpuName = "Cyrix MediaGX";
  else if (Info.Family == 5 && Info.Model == 2) Info.CpuName = "Cyrix 6x86";
  else if (Info.Family == 5 && Info.Model == 4) Info.CpuName = "Cyrix GXm";
  else if (Info.Family == 6) Info.CpuName = "6x86MX";
  else Info.CpuName = Formatted("%dx86", Info.Family);
}

void IdentifyVia(const TCpuidSource& c, uint32_t Highest, TCpuInfo& Info) {
  Info.Manufacturer = "Via";
  TVIASpecific& s = Info.ViaSpecific;
  GenericDecoding(c, Highest, Info);
  const uint32_t highestEx = c.Query(0x80000000, 0).EAX;
  uint32_t exFeatures = 0;
  if (highestEx >= 0x80000001) {
    Info.HasExtendedInfo = true;
    const TCpuidRegs r = c.Query(0x80000001, 0);
    Info.Family = (r.EAX >> 8) & 0xF;
    Info.Model = (r.EAX >> 4) & 0xF;
    Info.Stepping = r.EAX & 0xF;
    s.ExFeatures = exFeatures = r.EDX;
    if (highestEx >= 0x80000004) Info.CpuName = BrandString(c);
    if (highestEx >= 0x80000005) {
      const TCpuidRegs l = c.Query(0x80000005, 0);
      s.InstructionTLB = l.EAX;
      s.DataTLB = l.EBX;
      s.L1DataCache = l.ECX;
      s.L1InstructionCache = l.EDX;
      DecodeL1(l.ECX, Info.L1DataCache);
      DecodeL1(l.EDX, Info.L1InstructionCache);
      Info.HasCacheInfo = true;
    }
    if (highestEx >= 0x80000006) {
      s.L2DataCache = c.Query(0x80000006, 0).ECX;
      DecodeL2(s.L2DataCache, Info.L2Cache);
    }
    if (c.Query(0xC0000000, 0).EAX >= 0xC0000001) s.ExFeatures = c.Query(0xC0000001, 0).EDX;
  } else {
    Info.CpuName = "C3";
  }
  Info.MMX = Bit(Info.Features, 23);
  if (Bit(Info.Features, 25)) Info.SSE |= SSEBit(sse);
  Info._3DNow = Bit(exFeatures, 31);
}

void IdentifyTransmeta(const TCpuidSource& c, uint32_t Highest, TCpuInfo& Info) {
  Info.Manufacturer = "Transmeta";
  TTransmetaSpecific& s = Info.TransmetaSpecific;
  GenericDecoding(c, Highest, Info);
  const uint32_t highestEx = c.Query(0x80000000, 0).EAX;
  if (highestEx >= 0x80000001) {
    Info.HasExtendedInfo = true;
    s.ExFeatures = c.Query(0x80000001, 0).EDX;
    if (highestEx >= 0x80000004) Info.CpuName = BrandString(c);
    if (highestEx >= 0x80000005) {
      const TCpuidRegs l = c.Query(0x80000005, 0);
      s.CodeTLB = l.EAX;
      s.DataTLB = l.EBX;
      s.L1DataCache = l.ECX;
      s.L1CodeCache = l.EDX;
      DecodeL1(l.ECX, Info.L1DataCache);
      DecodeL1(l.EDX, Info.L1InstructionCache);
      Info.HasCacheInfo = true;
    }
    if (highestEx >= 0x80000006) {
      s.L2Cache = c.Query(0x80000006, 0).ECX;
      DecodeL2(s.L2Cache, Info.L2Cache);
    }
  } else {
    Info.CpuName = "Crusoe";
  }
  const uint32_t highestTm = c.Query(0x80860000, 0).EAX;
  if (highestTm >= 0x80860001) {
    const TCpuidRegs r = c.Query(0x80860001, 0);
    s.RevisionABCD = r.EBX;
    s.RevisionXXXX = r.ECX;
    s.TransmetaFeatures = r.EDX;
  }
  if (highestTm >= 0x80860002) {
    const TCpuidRegs r = c.Query(0x80860002, 0);
    s.CodeMorphingABCD = r.EBX;
    s.CodeMorphingXXXX = r.ECX;
  }
  if (highestTm >= 0x80860006) {
    std::string text;
    for (uint32_t leaf = 0x80860003; leaf <= 0x80860006; ++leaf) {
      const TCpuidRegs r = c.Query(leaf, 0);
      AppendRegister(text, r.EAX);
      AppendRegister(text, r.EBX);
      AppendRegister(text, r.ECX);
      AppendRegister(text, r.EDX);
    }
    std::memcpy(s.TransmetaInformations, text.data(), 64);
  }
  if (highestTm >= 0x80860007 && Bit(s.TransmetaFeatures, 1)) {
    const TCpuidRegs r = c.Query(0x80860007, 0);
    s.CurrentFrequency = r.EAX;
    s.CurrentVoltage = r.EBX;
    s.CurrentPerformance = r.ECX;
  }
  Info.MMX = Bit(Info.Features, 23);
}

}  // namespace

const TCpuidSource& RunningProcessor() {
  static const TRunningCpuid cpuid;
  return cpuid;
}

void IdentifyProcessorVendor(const TCpuidSource& c, TCpuInfo& Info) {
  Info = TCpuInfo();
  Info.HasInstruction = c.Supported();
  if (!Info.HasInstruction) {
    Info.Family = 4;
  } else {
    const TCpuidRegs r = c.Query(0, 0);
    std::string vendor;
    AppendRegister(vendor, r.EBX);
    AppendRegister(vendor, r.EDX);
    AppendRegister(vendor, r.ECX);
    Info.VendorIDString = vendor;
    if (vendor == "GenuineIntel") {
      Info.CpuType = CPU_TYPE_INTEL;
      IdentifyIntel(c, r.EAX, Info);
    } else if (vendor == "AuthenticAMD") {
      Info.CpuType = CPU_TYPE_AMD;
      IdentifyAmd(c, r.EAX, Info);
    } else if (vendor == "CyrixInstead") {
      Info.CpuType = CPU_TYPE_CYRIX;
      IdentifyCyrix(c, r.EAX, Info);
    } else if (vendor == "CentaurHauls") {
      Info.CpuType = CPU_TYPE_VIA;
      IdentifyVia(c, r.EAX, Info);
    } else if (vendor == "GenuineTMx86") {
      Info.CpuType = CPU_TYPE_CRUSOE;
      IdentifyTransmeta(c, r.EAX, Info);
    } else {
      GenericDecoding(c, r.EAX, Info);
    }
  }
  Info.HardwareMultithreading = Info.LogicalCore != Info.PhysicalCore;
  if (Info.CpuType == CPU_TYPE_UNKNOWN) {
    Info.Manufacturer = "Unknown";
    Info.CpuName = "Unknown";
  }
}

// The cache kinds of the published descriptor list; its TLB and prefetch
// entries count for nothing here and are left out.
const TCacheDescriptor* FindCacheDescriptor(uint8_t Descriptor) {
  using K = TCacheKind;
  static const TCacheDescriptor kTable[] = {
      {0x06, K::L1Instruction, 8, 4, 32, 0},   {0x08, K::L1Instruction, 16, 4, 32, 0},
      {0x09, K::L1Instruction, 32, 4, 64, 0},  {0x0A, K::L1Data, 8, 2, 32, 0},
      {0x0C, K::L1Data, 16, 4, 32, 0},         {0x0D, K::L1Data, 16, 4, 64, 0},
      {0x0E, K::L1Data, 24, 6, 64, 0},         {0x1D, K::L2, 128, 2, 64, 0},
      {0x21, K::L2, 256, 8, 64, 0},            {0x22, K::L3, 512, 4, 64, 2},
      {0x23, K::L3, 1024, 8, 64, 2},           {0x24, K::L2, 1024, 16, 64, 0},
      {0x25, K::L3, 2048, 8, 64, 2},           {0x29, K::L3, 4096, 8, 64, 2},
      {0x2C, K::L1Data, 32, 8, 64, 0},         {0x30, K::L1Instruction, 32, 8, 64, 0},
      {0x39, K::L2, 128, 4, 64, 2},            {0x3A, K::L2, 192, 6, 64, 2},
      {0x3B, K::L2, 128, 2, 64, 2},            {0x3C, K::L2, 256, 4, 64, 2},
      {0x3D, K::L2, 384, 6, 64, 2},            {0x3E, K::L2, 512, 4, 64, 2},
      {0x41, K::L2, 128, 4, 32, 0},            {0x42, K::L2, 256, 4, 32, 0},
      {0x43, K::L2, 512, 4, 32, 0},            {0x44, K::L2, 1024, 4, 32, 0},
      {0x45, K::L2, 2048, 4, 32, 0},           {0x46, K::L3, 4096, 4, 64, 0},
      {0x47, K::L3, 8192, 8, 64, 0},           {0x48, K::L2, 3072, 12, 64, 0},
      {0x49, K::L2, 4096, 16, 64, 0},          {0x4A, K::L3, 6144, 12, 64, 0},
      {0x4B, K::L3, 8192, 16, 64, 0},          {0x4C, K::L3, 12288, 12, 64, 0},
      {0x4D, K::L3, 16384, 16, 64, 0},         {0x4E, K::L2, 6144, 24, 64, 0},
      {0x60, K::L1Data, 16, 8, 64, 0},         {0x66, K::L1Data, 8, 4, 64, 0},
      {0x67, K::L1Data, 16, 4, 64, 0},         {0x68, K::L1Data, 32, 4, 64, 0},
      {0x70, K::Trace, 12, 8, 0, 0},           {0x71, K::Trace, 16, 8, 0, 0},
      {0x72, K::Trace, 32, 8, 0, 0},           {0x78, K::L2, 1024, 4, 64, 0},
      {0x79, K::L2, 128, 8, 64, 2},            {0x7A, K::L2, 256, 8, 64, 2},
      {0x7B, K::L2, 512, 8, 64, 2},            {0x7C, K::L2, 1024, 8, 64, 2},
      {0x7D, K::L2, 2048, 8, 64, 0},           {0x7F, K::L2, 512, 2, 64, 0},
      {0x80, K::L2, 512, 8, 64, 0},            {0x82, K::L2, 256, 8, 32, 0},
      {0x83, K::L2, 512, 8, 32, 0},            {0x84, K::L2, 1024, 8, 32, 0},
      {0x85, K::L2, 2048, 8, 32, 0},           {0x86, K::L2, 512, 4, 64, 0},
      {0x87, K::L2, 1024, 8, 64, 0},           {0xD0, K::L3, 512, 4, 64, 0},
      {0xD1, K::L3, 1024, 4, 64, 0},           {0xD2, K::L3, 2048, 4, 64, 0},
      {0xD6, K::L3, 1024, 8, 64, 0},           {0xD7, K::L3, 2048, 8, 64, 0},
      {0xD8, K::L3, 4096, 8, 64, 0},           {0xDC, K::L3, 1536, 12, 64, 0},
      {0xDD, K::L3, 3072, 12, 64, 0},          {0xDE, K::L3, 6144, 12, 64, 0},
      {0xE2, K::L3, 2048, 16, 64, 0},          {0xE3, K::L3, 4096, 16, 64, 0},
      {0xE4, K::L3, 8192, 16, 64, 0},          {0xEA, K::L3, 12288, 24, 64, 0},
      {0xEB, K::L3, 18432, 24, 64, 0},         {0xEC, K::L3, 24576, 24, 64, 0},
  };
  for (const TCacheDescriptor& d : kTable)
    if (d.Descriptor == Descriptor) return &d;
  return nullptr;
}

bool TestFdivOk() {
  volatile double x = 2658955.0, y = 3.14159265358979323846;
  const long double lx = x, ly = y;
  return lx - (lx / ly) * ly < 1.0L;
}

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

// Rounds half to even, as the measurement's rounding rule says.
int64_t RoundEven(double Value) {
  if (!(Value < 9.2e18)) return kInt64Max;
  return static_cast<int64_t>(std::nearbyint(Value));
}

}  // namespace

bool MeasureProcessorSpeed(TSpeedClock& Clock, TFreqInfo& Info) {
  int64_t frequency = 0;
  if (!Clock.Frequency(frequency) || frequency <= 0) return false;
  double totalTime = 0;
  uint64_t totalCycles = 0;
  int64_t estimate[3] = {0, 0, 0};  // the last three, newest last
  for (int passes = 1;; ++passes) {
    int64_t start = Clock.Counter();
    Clock.EnterTimedPart();
    int64_t now;
    uint64_t cycleStart = 0, cycleEnd = 0;
    do {
      now = Clock.Counter();
      cycleStart = Clock.Cycles();
    } while (now - start < 50);
    start = now;
    do {
      now = Clock.Counter();
      cycleEnd = Clock.Cycles();
    } while (now - start < 1000);
    Clock.LeaveTimedPart();
    const double time = static_cast<double>(now - start) * 100000.0 / (static_cast<double>(frequency) / 10.0);
    const uint64_t cycles = cycleEnd - cycleStart;
    totalTime += time;
    totalCycles += cycles;
    estimate[0] = estimate[1];
    estimate[1] = estimate[2];
    estimate[2] = time == 0 ? kInt64Max : RoundEven(static_cast<double>(cycles) / time);
    if (passes < 3) continue;
    if (passes >= 20) break;
    const int64_t sum = estimate[0] + estimate[1] + estimate[2];
    bool stable = true;
    for (int64_t e : estimate)
      if (std::llabs(3 * e - sum) > 3) stable = false;
    if (stable) break;
  }
  int64_t raw, tenths, hundredths;
  if (totalTime == 0) {
    raw = tenths = hundredths = kInt64Max;
  } else {
    const double cycles = static_cast<double>(totalCycles);
    tenths = RoundEven(cycles * 10 / totalTime);
    hundredths = RoundEven(cycles * 100 / totalTime);
    raw = RoundEven(cycles / totalTime);
  }
  int64_t normalised = raw;
  if (totalTime != 0) {
    if (hundredths - tenths * 10 > 5) ++tenths;
    if (tenths - raw * 10 > 5) ++normalised;
  }
  Info.RawFreq = raw;
  Info.InCycles = static_cast<int64_t>(totalCycles);
  Info.ExTicks = RoundEven(totalTime);
  Info.NormFreq = SnapFrequency(static_cast<int32_t>(static_cast<uint32_t>(normalised)));
  return true;
}

int SnapFrequency(int Frequency) {
  // A frequency that could not be measured (negative in its low half)
  // has no step to snap to.
  if (Frequency < 0) return Frequency;
  static const int kSteps[] = {0, 20, 33, 50, 60, 66, 80, 90, 100};
  const int rest = Frequency % 100;
  for (size_t i = 1; i < std::size(kSteps); ++i) {
    if (kSteps[i] > rest) {
      const int lower = kSteps[i - 1], upper = kSteps[i];
      return rest - lower < upper - rest ? Frequency - (rest - lower) : Frequency + (upper - rest);
    }
  }
  return Frequency;
}

void IdentifyProcessor(const TCpuidSource& Cpuid, TSpeedClock& Clock, TCpuInfo& Info) {
  IdentifyProcessorVendor(Cpuid, Info);
  Info.IsFDIVOK = TestFdivOk();
  if (Info.HasInstruction && Bit(Info.Features, 4)) MeasureProcessorSpeed(Clock, Info.FrequencyInfo);
}

}  // namespace services
