#include "fw/core/form_text.h"

#include <charconv>
#include <string>

#include "fw/core/streams.h"
#include "fw/core/sysutils.h"

namespace fw {

namespace {

String MakeMessage(const String& fileName, int line, const String& reason, const String& propertyName) {
  String m = fileName + u"(" + IntToStr(line) + u"): " + reason;
  if (!propertyName.empty()) m += u" in property " + propertyName;
  return m;
}

}  // namespace

EFormDescriptionError::EFormDescriptionError(String fileName, int line, String reason, String propertyName)
    : Exception(MakeMessage(fileName, line, reason, propertyName)),
      FFileName(std::move(fileName)),
      FLine(line),
      FReason(std::move(reason)),
      FPropertyName(std::move(propertyName)) {}

namespace {

// Objects and values may nest this deep; deeper input is refused rather than
// allowed to exhaust the stack.
constexpr int kMaxDepth = 100;

enum class TokenKind { End, Error, Ident, Integer, Float, String, Binary, Symbol };

struct Token {
  TokenKind kind = TokenKind::End;
  int line = 1;
  String text;           // Ident, String; the reason of an Error
  uint64_t magnitude = 0;  // Integer
  bool hex = false;
  double number = 0;     // Float
  std::vector<uint8_t> bytes;
  char16_t symbol = 0;
};

bool IsIdentStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsIdentChar(char16_t c) { return IsIdentStart(c) || (c >= u'0' && c <= u'9'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Splits the text into tokens. Problems become Error tokens, so that the
// parser reports them with the property it is reading at that moment.
class Lexer {
 public:
  explicit Lexer(StringView text) : FText(text) {}

  Token Next() {
    SkipBlanks();
    Token t;
    t.line = FLine;
    if (FPos >= FText.size()) return t;
    char16_t c = FText[FPos];
    if (IsIdentStart(c)) {
      LexIdent(t);
    } else if (IsDigit(c)) {
      LexNumber(t);
    } else if (c == u'$') {
      LexHex(t);
    } else if (c == u'\'' || c == u'#') {
      LexString(t);
    } else if (c == u'{') {
      LexBinary(t);
    } else if (StringView(u"=:[](),<>+-").find(c) != StringView::npos) {
      t.kind = TokenKind::Symbol;
      t.symbol = c;
      ++FPos;
    } else {
      Fail(t, u"Invalid character");
      ++FPos;
    }
    return t;
  }

 private:
  void Fail(Token& t, const char16_t* reason) {
    t.kind = TokenKind::Error;
    t.text = reason;
  }

  // Consumes one line break (CR LF, CR or LF) at FPos if there is one.
  bool SkipLineBreak() {
    if (FPos >= FText.size()) return false;
    if (FText[FPos] == u'\r') {
      ++FPos;
      if (FPos < FText.size() && FText[FPos] == u'\n') ++FPos;
    } else if (FText[FPos] == u'\n') {
      ++FPos;
    } else {
      return false;
    }
    ++FLine;
    return true;
  }

  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] <= u' ') {
      if (!SkipLineBreak()) ++FPos;
    }
  }

  void LexIdent(Token& t) {
    t.kind = TokenKind::Ident;
    size_t start = FPos;
    while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    while (FPos + 1 < FText.size() && FText[FPos] == u'.' && IsIdentStart(FText[FPos + 1])) {
      ++FPos;
      while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    }
    t.text.assign(FText.substr(start, FPos - start));
  }

  // A number must not run straight into a name: "12px" is a broken number.
  bool FollowedByNameChar() const { return FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == u'.'); }

  void LexNumber(Token& t) {
    size_t start = FPos;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    bool isFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == u'.' && IsDigit(FText[FPos + 1])) {
      isFloat = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == u'e' || FText[FPos] == u'E')) {
      size_t q = FPos + 1;
      if (q < FText.size() && (FText[q] == u'+' || FText[q] == u'-')) ++q;
      if (q < FText.size() && IsDigit(FText[q])) {
        isFloat = true;
        FPos = q;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    std::string ascii(FText.begin() + static_cast<std::ptrdiff_t>(start), FText.begin() + static_cast<std::ptrdiff_t>(FPos));
    if (isFloat) {
      t.kind = TokenKind::Float;
      auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), t.number);
      if (r.ec != std::errc() || FollowedByNameChar()) Fail(t, u"Invalid float value");
      return;
    }
    t.kind = TokenKind::Integer;
    auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), t.magnitude);
    if (r.ec != std::errc() || FollowedByNameChar()) Fail(t, u"Invalid integer value");
  }

  void LexHex(Token& t) {
    ++FPos;
    t.kind = TokenKind::Integer;
    t.hex = true;
    size_t digits = 0;
    bool overflow = false;
    while (FPos < FText.size() && HexValue(FText[FPos]) >= 0) {
      if (t.magnitude >> 60) overflow = true;
      t.magnitude = (t.magnitude << 4) | static_cast<unsigned>(HexValue(FText[FPos++]));
      ++digits;
    }
    if (digits == 0 || overflow || FollowedByNameChar()) Fail(t, u"Invalid integer value");
  }

  // Quoted parts and #code characters written next to each other.
  void LexString(Token& t) {
    t.kind = TokenKind::String;
    while (FPos < FText.size() && (FText[FPos] == u'\'' || FText[FPos] == u'#')) {
      if (FText[FPos] == u'#') {
        ++FPos;
        uint32_t code = 0;
        size_t digits = 0;
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
          code = code * 10 + (FText[FPos++] - u'0');
          if (code > 0xFFFF) code = 0x10000;  // stays out of range, never overflows
          ++digits;
        }
        if (digits == 0 || code > 0xFFFF) return Fail(t, u"Invalid character code");
        t.text.push_back(static_cast<char16_t>(code));
        continue;
      }
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == u'\r' || FText[FPos] == u'\n') return Fail(t, u"Unterminated string");
        char16_t c = FText[FPos++];
        if (c == u'\'') {
          if (FPos < FText.size() && FText[FPos] == u'\'') {
            t.text.push_back(u'\'');
            ++FPos;
            continue;
          }
          break;
        }
        t.text.push_back(c);
      }
    }
  }

  void LexBinary(Token& t) {
    t.kind = TokenKind::Binary;
    ++FPos;
    int high = -1;
    for (;;) {
      if (FPos >= FText.size()) return Fail(t, u"Unterminated binary value");
      char16_t c = FText[FPos];
      if (c == u'}') {
        ++FPos;
        if (high >= 0) Fail(t, u"Odd number of hex digits in binary value");
        return;
      }
      if (c <= u' ') {
        if (!SkipLineBreak()) ++FPos;
        continue;
      }
      int v = HexValue(c);
      if (v < 0) {
        // Skip to the closing brace so that the report is about this value.
        Fail(t, u"Invalid binary value");
        while (FPos < FText.size() && FText[FPos] != u'}') {
          if (!SkipLineBreak()) ++FPos;
        }
        if (FPos < FText.size()) ++FPos;
        return;
      }
      ++FPos;
      if (high < 0) {
        high = v;
      } else {
        t.bytes.push_back(static_cast<uint8_t>(high << 4 | v));
        high = -1;
      }
    }
  }

  StringView FText;
  size_t FPos = 0;
  int FLine = 1;
};

class Parser {
 public:
  Parser(StringView text, const String& fileName) : FLex(text), FFileName(fileName) { Next(); }

  TFormObject ParseRoot() {
    TFormObject root = ParseObject(0);
    if (FTok.kind != TokenKind::End) Fail(FTok.line, u"Text after the end of the description");
    return root;
  }

 private:
  void Next() {
    FTok = FLex.Next();
  }

  [[noreturn]] void Fail(int line, const String& reason) { throw EFormDescriptionError(FFileName, line, reason, FProperty); }

  // Every look at the current token goes through here, so that a lexing
  // problem is reported where the parser meets it.
  const Token& Current() {
    if (FTok.kind == TokenKind::Error) Fail(FTok.line, FTok.text);
    return FTok;
  }

  bool IsSymbol(char16_t c) { return Current().kind == TokenKind::Symbol && FTok.symbol == c; }
  bool IsKeyword(const char16_t* word) { return Current().kind == TokenKind::Ident && SameText(FTok.text, word); }
  // A name without dots that is not a keyword.
  bool IsPlainName() {
    return Current().kind == TokenKind::Ident && FTok.text.find(u'.') == String::npos && !SameText(FTok.text, u"object") &&
           !SameText(FTok.text, u"end");
  }

  void CheckDepth(int depth, int line) {
    if (depth > kMaxDepth) Fail(line, u"Nesting too deep");
  }

  TFormObject ParseObject(int depth) {
    if (!IsKeyword(u"object")) Fail(FTok.line, u"'object' expected");
    TFormObject obj;
    obj.Line = FTok.line;
    CheckDepth(depth, obj.Line);
    Next();
    if (!IsPlainName()) Fail(FTok.line, u"Object name expected");
    String first = FTok.text;
    Next();
    if (IsSymbol(u':')) {
      Next();
      if (!IsPlainName()) Fail(FTok.line, u"Class name expected");
      obj.Name = first;
      obj.ClassName = FTok.text;
      Next();
    } else {
      obj.ClassName = first;
    }
    for (;;) {
      if (Current().kind == TokenKind::End) {
        Fail(obj.Line, u"Missing 'end' of object " + (obj.Name.empty() ? obj.ClassName : obj.Name));
      }
      if (IsKeyword(u"end")) {
        Next();
        return obj;
      }
      if (IsKeyword(u"object")) {
        obj.Children.push_back(ParseObject(depth + 1));
      } else if (FTok.kind == TokenKind::Ident) {
        obj.Properties.push_back(ParseProperty(depth));
      } else {
        Fail(FTok.line, u"Property name expected");
      }
    }
  }

  TFormProperty ParseProperty(int depth) {
    TFormProperty prop;
    prop.Name = FTok.text;
    prop.Line = FTok.line;
    String outer = FProperty;
    FProperty = prop.Name;
    Next();
    if (!IsSymbol(u'=')) Fail(FTok.line, u"'=' expected");
    Next();
    prop.Value = ParseValue(depth + 1, prop.Line);
    FProperty = outer;
    return prop;
  }

  TFormValue ParseValue(int depth, int propertyLine) {
    TFormValue v;
    const Token& t = Current();
    v.Line = t.line;
    CheckDepth(depth, v.Line);
    switch (t.kind) {
      case TokenKind::Integer:
      case TokenKind::Float:
        ReadNumber(v, false);
        return v;
      case TokenKind::String:
        v.Kind = TFormValueKind::String;
        v.Text = t.text;
        Next();
        while (IsSymbol(u'+')) {
          Next();
          if (Current().kind != TokenKind::String) Fail(FTok.line, u"String expected after '+'");
          v.Text += FTok.text;
          Next();
        }
        return v;
      case TokenKind::Ident:
        v.Kind = TFormValueKind::Ident;
        v.Text = t.text;
        Next();
        // "Caption =" with the value forgotten reads the next property's name.
        if (IsSymbol(u'=')) Fail(propertyLine, u"Value expected");
        return v;
      case TokenKind::Binary:
        v.Kind = TFormValueKind::Binary;
        v.Binary = t.bytes;
        Next();
        return v;
      case TokenKind::Symbol:
        break;
      default:
        Fail(t.line, u"Value expected");
    }
    switch (t.symbol) {
      case u'-':
        Next();
        if (Current().kind != TokenKind::Integer && FTok.kind != TokenKind::Float) Fail(FTok.line, u"Number expected after '-'");
        ReadNumber(v, true);
        return v;
      case u'[':
        v.Kind = TFormValueKind::Set;
        Next();
        if (IsSymbol(u']')) {
          Next();
          return v;
        }
        for (;;) {
          if (!IsPlainName()) Fail(FTok.line, u"Set element expected");
          v.Set.push_back(FTok.text);
          Next();
          if (IsSymbol(u']')) break;
          if (!IsSymbol(u',')) Fail(FTok.line, u"',' or ']' expected");
          Next();
        }
        Next();
        return v;
      case u'(':
        v.Kind = TFormValueKind::List;
        Next();
        while (!IsSymbol(u')')) {
          if (FTok.kind == TokenKind::End) Fail(v.Line, u"Unterminated list");
          v.Items.push_back(ParseValue(depth + 1, propertyLine));
        }
        Next();
        return v;
      case u'<':
        v.Kind = TFormValueKind::Collection;
        Next();
        while (!IsSymbol(u'>')) {
          if (FTok.kind == TokenKind::End) Fail(v.Line, u"Unterminated collection");
          if (!IsKeyword(u"item")) Fail(FTok.line, u"'item' expected");
          TFormCollectionItem item;
          item.Line = FTok.line;
          Next();
          for (;;) {
            if (Current().kind == TokenKind::End) Fail(v.Line, u"Unterminated collection");
            if (IsKeyword(u"end")) break;
            if (FTok.kind != TokenKind::Ident) Fail(FTok.line, u"Property name expected");
            item.Properties.push_back(ParseProperty(depth + 1));
          }
          Next();
          v.Collection.push_back(std::move(item));
        }
        Next();
        return v;
      default:
        Fail(t.line, u"Value expected");
    }
  }

  void ReadNumber(TFormValue& v, bool negative) {
    if (FTok.kind == TokenKind::Float) {
      v.Kind = TFormValueKind::Float;
      v.Float = negative ? -FTok.number : FTok.number;
    } else {
      v.Kind = TFormValueKind::Integer;
      v.Hex = FTok.hex;
      uint64_t m = FTok.magnitude;
      if (m > (negative ? 0x8000000000000000ull : 0x7FFFFFFFFFFFFFFFull)) Fail(FTok.line, u"Invalid integer value");
      v.Integer = negative ? static_cast<int64_t>(0 - m) : static_cast<int64_t>(m);
    }
    Next();
  }

  Lexer FLex;
  const String& FFileName;
  Token FTok;
  String FProperty;  // the property being read, for messages
};

}  // namespace

TFormObject ParseFormDescription(StringView text, const String& fileName) {
  Parser parser(text, fileName);
  return parser.ParseRoot();
}

TFormObject ParseFormDescription(const uint8_t* data, size_t size, const String& fileName) {
  return ParseFormDescription(DecodeText(data, size, TEncoding::UTF8), fileName);
}

}  // namespace fw
