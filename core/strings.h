#pragma once
// Lists of text lines. TStrings is the abstract list that controls publish (a memo's
// lines, a navigator's hints); TStringList keeps its lines in memory and reports changes.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/object.h"
#include "core/types.h"

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  BREVANT_CLASS(TStrings)

  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  virtual int Add(const std::string& S);
  int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings& Strings);
  void Append(const std::string& S) { Add(S); }
  // Index of the first line equal to S (regardless of case unless the list says otherwise), or -1.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfObject(const TObject* AObject) const;
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);

  // Lines of the form "name=value".
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  void SetValue(const std::string& Name, const std::string& Value);
  std::string ValueFromIndex(int Index) const;
  int IndexOfName(const std::string& Name) const;

  // The lines joined, each followed by a line break ("\n"); setting splits at CR LF, CR or LF.
  virtual std::string Text() const;
  virtual void SetText(std::string_view Value);

  bool Equals(const TStrings& Other) const;
  void Assign(const TPersistent& Source) override;

  // Counted update: change notifications are held back until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return UpdateCount_; }

  std::string operator[](int Index) const { return Get(Index); }

 protected:
  // Called when the outermost update begins (true) and ends (false).
  virtual void SetUpdateState(bool /*Updating*/) {}
  // Case rule used by IndexOf and the name lookups; lists may make it case-sensitive.
  virtual int CompareStrings(const std::string& A, const std::string& B) const;
  [[noreturn]] void Error(int Index) const;

 private:
  int UpdateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  BREVANT_CLASS(TStringList)

  TStringList() = default;

  int Count() const override { return static_cast<int>(Items_.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;
  int IndexOf(const std::string& S) const override;

  // Binary search in a sorted list: true and the index when found, else the insertion point.
  bool Find(const std::string& S, int& Index) const;
  void Sort();

  bool Sorted() const { return Sorted_; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return Duplicates_; }
  void SetDuplicates(TDuplicates Value) { Duplicates_ = Value; }
  bool CaseSensitive() const { return CaseSensitive_; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& A, const std::string& B) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  void InsertItem(int Index, const std::string& S, TObject* AObject);

  std::vector<std::pair<std::string, TObject*>> Items_;
  bool Sorted_ = false;
  bool CaseSensitive_ = false;
  TDuplicates Duplicates_ = dupIgnore;
};
