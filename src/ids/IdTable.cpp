#include "ids/IdTable.h"

#include <vector>

#include "base/Int16.h"
#include "base/MGeneral.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"

namespace velmora {
namespace {

VbArray<IdRecord>& Table() { return History().IdTable; }

// Keeps, in order, the records `keep` accepts; no record left releases the storage.
template <class Predicate>
void KeepRecords(Predicate keep) {
  std::vector<IdRecord> kept;
  for (std::int16_t i = 0; i < IdCount(); ++i) {
    if (keep(i, Table()(i))) kept.push_back(Table()(i));
  }
  Table() = kept.empty() ? VbArray<IdRecord>() : VbArray<IdRecord>(0, std::move(kept));
}

template <class Predicate>
std::int16_t AnyRecord(std::int16_t count, Predicate test) {
  for (std::int16_t i = 0; i < count; ++i) {
    if (test(Table()(i))) return True;
  }
  return False;
}

}  // namespace

std::int16_t IdCount() { return Table().HasElements() ? CheckedInt16(Table().UBound() + 1LL) : 0; }

std::int16_t ChosenIdCount() {
  std::int16_t count = 0;
  for (std::int16_t i = 0; i < IdCount(); ++i) {
    if (Table()(i).RankInFile != -2) ++count;
  }
  return count;
}

void AddIdRecord() {
  const std::int16_t last = IdCount();
  Table().ReDimPreserve(0, last);
  InitIdRecord(Table()(last));
}

void RemoveIdRecord(std::int16_t index) {
  if (IdCount() < 2) return Table().Erase();
  KeepRecords([index](std::int16_t i, const IdRecord&) { return i != index; });
}

void CompactIdTable() {
  KeepRecords([](std::int16_t, const IdRecord& r) { return r.RankInFile >= 0; });
}

void FillChosenIdList(ListControl& list) {
  list.Clear();
  for (std::int16_t i = 0; i < IdCount(); ++i) {
    if (Table()(i).RankInFile != -2) list.AddItem("[" + Table()(i).IdName + "]");
  }
  HistoryState& h = History();
  h.CurrentId = static_cast<std::int16_t>(MinValue(h.CurrentId, list.ListCount() - 1).ToLong());
  list.SetListIndex(h.CurrentId);
}

std::int16_t IsIdComplete(const IdRecord& record) {
  if (record.IsFixed != 0) {
    const std::string s = record.Prefix + record.Matrix + record.FixData;
    return ToBoolean(!s.empty() && s != "*");
  }
  return ToBoolean(!record.VarData.empty());
}

std::int16_t AnyIdComplete() {
  return AnyRecord(ChosenIdCount(), [](const IdRecord& r) { return IsIdComplete(r) != 0; });
}

std::int16_t AnyCheckDigit() {
  return AnyRecord(IdCount(), [](const IdRecord& r) {
    return r.RankInFile >= 0 && HasIdFlag(r.RankInFile, FlagCheckDigit) && r.Choice[0] != 0;
  });
}

std::int16_t AnyVariablePart() {
  return AnyRecord(IdCount(), [](const IdRecord& r) { return !r.VarData.empty() || r.HasMax != -1; });
}

}  // namespace velmora
