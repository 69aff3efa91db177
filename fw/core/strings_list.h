// String lists: TStrings, the abstract list of texts with an object pointer
// each (shared by controls that show lists), and TStringList, the list kept
// in memory with sorting and duplicate handling.
#pragma once

#include <functional>
#include <vector>

#include "fw/core/events.h"
#include "fw/core/object.h"
#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace fw {

class TStringList;

// In a form description the items are the list property "Strings":
//   Items.Strings = ('one' 'two')
class TStrings : public TPersistent {
  FW_CLASS(TStrings, TPersistent)

  TStrings() = default;

  // The storage a descendant provides.
  virtual int Count() const = 0;
  virtual String Get(int index) const = 0;
  virtual void Put(int index, const String& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const String& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  virtual int Add(const String& s);
  virtual int AddObject(const String& s, TObject* object);
  void InsertObject(int index, const String& s, TObject* object);
  void Append(const String& s) { Add(s); }
  void AddStrings(const TStrings& strings);
  // From another string list: replaces the items (texts and objects).
  void Assign(TPersistent* Source) override;

  // Index of the first item equal to s (by CompareStrings), or -1.
  virtual int IndexOf(const String& s) const;
  // Index of the first "Name=Value" item whose name is name, or -1.
  int IndexOfName(const String& name) const;
  int IndexOfObject(const TObject* object) const;

  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& s) { Put(index, s); }
  String operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }

  // "Name=Value" items.
  String Names(int index) const;
  String Values(const String& name) const;
  // An empty value removes the item; a new name is added at the end.
  void SetValues(const String& name, const String& value);
  String ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const String& value);
  char16_t NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t c) { FNameValueSeparator = c; }

  // Every item followed by CR LF. Setting splits at CR LF, CR or LF.
  String Text() const;
  void SetText(StringView text);

  // Items separated by Delimiter; an item holding a blank, a control
  // character, the delimiter or the quote is written in QuoteChar with the
  // quote doubled. Reading also separates at blanks outside quotes.
  String DelimitedText() const;
  void SetDelimitedText(StringView text);
  char16_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t c) { FDelimiter = c; }
  char16_t QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t c) { FQuoteChar = c; }
  // DelimitedText with ',' and '"'.
  String CommaText() const;
  void SetCommaText(StringView text);

  // Nested brackets: the list reports one change when the outermost ends.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Loading detects UTF-8 and UTF-16 LE by their byte-order mark, else
  // decodes as encoding; saving without an encoding uses the one the last
  // load found (ANSI at first).
  void LoadFromFile(const String& fileName);
  void LoadFromFile(const String& fileName, TEncoding encoding);
  // The stream is read from its position to its end.
  void LoadFromStream(TStream& stream);
  virtual void LoadFromStream(TStream& stream, TEncoding encoding);
  void SaveToFile(const String& fileName) const;
  void SaveToFile(const String& fileName, TEncoding encoding) const;
  void SaveToStream(TStream& stream) const;
  virtual void SaveToStream(TStream& stream, TEncoding encoding) const;
  TEncoding Encoding() const { return FEncoding; }

 protected:
  // Called when the outermost update bracket opens (true) and closes.
  virtual void SetUpdateState(bool updating);
  // The comparison behind IndexOf, Find and sorting; case-insensitive here.
  virtual int CompareStrings(const String& a, const String& b) const;
  [[noreturn]] static void Error(int index);

 private:
  int FUpdateCount = 0;
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  char16_t FNameValueSeparator = u'=';
  TEncoding FEncoding = TEncoding::ANSI;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

// Compares the items at two indexes of the list: <0, 0 or >0.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
  FW_CLASS(TStringList, TStrings)

  TStringList() = default;

  int Count() const override { return static_cast<int>(FList.size()); }
  String Get(int index) const override;
  void Put(int index, const String& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  // Raises EStringListError on a sorted list.
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;
  // Keeps a sorted list sorted; then Duplicates decides about an equal item.
  int Add(const String& s) override;
  int AddObject(const String& s, TObject* object) override;
  int IndexOf(const String& s) const override;
  void Exchange(int index1, int index2);

  // Binary search of a sorted list: true when found; index receives the
  // first equal item or the place where s would be inserted.
  bool Find(const String& s, int& index) const;
  void Sort();
  // Stable: equal items keep their order.
  virtual void CustomSort(const TStringListSortCompare& compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }

  // Sender is the list.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const String& a, const String& b) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    String text;
    TObject* object = nullptr;
  };
  void InsertItem(int index, const String& s, TObject* object);
  int AddItem(const String& s, TObject* object);

  std::vector<Item> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};

}  // namespace fw
