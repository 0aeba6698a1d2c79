#pragma once
// How a read, a write or a print ended: the one way the reading, writing and
// printing paths report a failure, with its reason in the user's words.
#include <QString>

#include <optional>
#include <utility>

class [[nodiscard]] TOutcome {
 public:
  enum class TKind {
    Done,       // all went well
    Refused,    // nothing was done or touched
    Failed,     // stopped midway: what was being written or filled may be partly done
    Cancelled,  // the user stopped it
  };

  TOutcome() = default;
  static TOutcome Refused(QString reason) { return TOutcome(TKind::Refused, std::move(reason)); }
  static TOutcome Failed(QString reason) { return TOutcome(TKind::Failed, std::move(reason)); }
  static TOutcome Cancelled() { return TOutcome(TKind::Cancelled, QString()); }

  bool Ok() const { return FKind == TKind::Done; }
  TKind Kind() const { return FKind; }
  // Japanese, ready to show; empty for Done and Cancelled.
  const QString& Reason() const { return FReason; }

 private:
  TOutcome(TKind kind, QString reason) : FKind(kind), FReason(std::move(reason)) {}

  TKind FKind = TKind::Done;
  QString FReason;
};

// The same, with what was made when it is Done.
template <typename T>
class [[nodiscard]] TOutcomeOf : public TOutcome {
 public:
  TOutcomeOf(T value) : FValue(std::move(value)) {}  // NOLINT: a value is an outcome
  // outcome must not be Done: a Done without its value would have nothing to give.
  TOutcomeOf(TOutcome outcome) : TOutcome(outcome.Ok() ? TOutcome::Failed(QString()) : std::move(outcome)) {}  // NOLINT

  // Only when Ok().
  const T& Value() const& { return *FValue; }
  T& Value() & { return *FValue; }
  T&& Value() && { return std::move(*FValue); }

 private:
  std::optional<T> FValue;
};
