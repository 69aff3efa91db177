// Form descriptions in their text form: the parser that turns a description
// into a tree of objects, properties and values, each with its line.
//
//   object MainForm: TMainForm
//     Caption = 'Fonts'#13#10'found'
//     Font.Style = [fsBold]
//     OnClick = FormClick
//     object Button1: TButton
//       Left = 8
//     end
//   end
//
// Values: integers (12, -3, $FF), floats (1.5, -2.5e3), strings ('it''s',
// #13#10 character codes, parts joined by '+' across lines), identifiers
// (True, clRed, handler names, OtherForm.Button1), sets ([a, b]), lists of
// values (( ... )), collections (< item ... end ... >) and binary data
// ({ hex digits }).
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/types.h"

namespace fw {

// A wrong description: the message names the file, the line, the reason and,
// when there is one, the property: "Main.form(12): Unterminated string in
// property Caption".
class EFormDescriptionError : public Exception {
 public:
  EFormDescriptionError(String fileName, int line, String reason, String propertyName = String());
  const String& FileName() const { return FFileName; }
  int Line() const { return FLine; }
  const String& Reason() const { return FReason; }
  const String& PropertyName() const { return FPropertyName; }

 private:
  String FFileName;
  int FLine;
  String FReason;
  String FPropertyName;
};

enum class TFormValueKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

struct TFormProperty;
struct TFormCollectionItem;

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  int Line = 0;
  int64_t Integer = 0;
  // Integer values written in hexadecimal ($FF): a 32-bit property takes
  // $FFFFFFFF as -1.
  bool Hex = false;
  double Float = 0;
  String Text;                                // String, Ident
  std::vector<String> Set;                    // Set: its element names
  std::vector<TFormValue> Items;              // List
  std::vector<TFormCollectionItem> Collection;
  std::vector<uint8_t> Binary;
};

struct TFormProperty {
  String Name;  // a path: "Caption", "Font.Style"
  int Line = 0;
  TFormValue Value;
};

struct TFormCollectionItem {
  int Line = 0;
  std::vector<TFormProperty> Properties;
};

struct TFormObject {
  String Name;  // may be empty: "object TClass"
  String ClassName;
  int Line = 0;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
};

// Raise EFormDescriptionError. fileName only names the source in messages.
TFormObject ParseFormDescription(StringView text, const String& fileName);
// Bytes in UTF-8 (with or without byte-order mark) or UTF-16 LE with its mark.
TFormObject ParseFormDescription(const uint8_t* data, size_t size, const String& fileName);

}  // namespace fw
