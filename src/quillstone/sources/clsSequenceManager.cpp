#include "quillstone/sources/clsSequenceManager.h"

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "quillstone/platform/Ansi.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/sources/clsSequence.h"

namespace quillstone {
namespace {

constexpr const char* kSelectSequence =
    "select * from BarCodeRuleItem where ruleId = ? and \"index\" = ? and itemSourceType = 12";
constexpr const char* kUpdateSequence =
    "update BarCodeRuleItem set relevantValue = ? where ruleId = ? and \"index\" = ?";
// Writes the advanced value only over the value the draw read, so two draws that read the same
// value cannot both store their successor: the one that changes no row has lost and reads again.
constexpr const char* kAdvanceSequence =
    "update BarCodeRuleItem set relevantValue = ? where ruleId = ? and \"index\" = ? and relevantValue = ?";

// The usual draw in one statement: a stored value of exactly its width in digits is advanced by
// the count where it lies, if the result still fits the width, and the new value returned.
// Concurrent draws queue on the row, so each sees the value the one before it stored. Every
// other value (the last numbers of the width, one written from outside in another form) is left
// to the draw by compare.
constexpr const char* kDrawInPlace = R"SQL(update BarCodeRuleItem
   set relevantValue = substr('000000000000000000' || cast(cast(relevantValue as bigint) + ? as varchar(20)),
                              length(cast(cast(relevantValue as bigint) + ? as varchar(20))) + 19 - "length")
 where ruleId = ? and "index" = ? and itemSourceType = 12
   and "length" between 1 and 18 and length(relevantValue) = "length"
   and trim(relevantValue, '0123456789') = ''
   and length(cast(cast(relevantValue as bigint) + ? as varchar(20))) <= "length"
returning relevantValue, "length")SQL";

// Decimal digits are kept as text so that values of any width are exact; the bounds mirror the
// host's decimal type (29 significant digits, 28 places after the point).
constexpr std::size_t kMaxDecimalDigits = 29;
constexpr int kMaxDecimalScale = 28;

// An exact decimal number: the value is magnitude * 10^-scale, the magnitude without leading
// zeros (empty for zero).
struct Decimal {
  bool negative = false;
  std::string magnitude;
  int scale = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string StripLeadingZeros(const std::string& digits) {
  std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? std::string() : digits.substr(first);
}

int CompareMagnitudes(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string AddMagnitudes(const std::string& a, const std::string& b) {
  std::string sum;
  int carry = 0;
  for (std::size_t i = 0; i < a.size() || i < b.size() || carry != 0; ++i) {
    int d = carry;
    if (i < a.size()) d += a[a.size() - 1 - i] - '0';
    if (i < b.size()) d += b[b.size() - 1 - i] - '0';
    sum.insert(sum.begin(), static_cast<char>('0' + d % 10));
    carry = d / 10;
  }
  return StripLeadingZeros(sum);
}

// a - b for a >= b.
std::string SubtractMagnitudes(const std::string& a, const std::string& b) {
  std::string difference;
  int borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    int d = a[a.size() - 1 - i] - '0' - borrow;
    if (i < b.size()) d -= b[b.size() - 1 - i] - '0';
    borrow = d < 0 ? 1 : 0;
    difference.insert(difference.begin(), static_cast<char>('0' + d + 10 * borrow));
  }
  return StripLeadingZeros(difference);
}

// Reads a number the way the host converts text to its decimal type: blanks around it, an
// optional sign, digits with an optional point, an optional exponent. Anything else is a type
// mismatch; a value past the decimal type's range overflows.
Decimal ParseDecimal(const std::string& text) {
  const std::string t = Trim(text);
  std::size_t i = 0;
  Decimal value;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) value.negative = t[i++] == '-';
  std::string whole, fraction;
  while (i < t.size() && IsDigit(t[i])) whole += t[i++];
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) fraction += t[i++];
  }
  if (whole.empty() && fraction.empty()) throw Error::TypeMismatch();
  long exponent = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negativeExponent = t[i++] == '-';
    if (i == t.size() || !IsDigit(t[i])) throw Error::TypeMismatch();
    for (; i < t.size() && IsDigit(t[i]); ++i) {
      exponent = exponent * 10 + (t[i] - '0');
      if (exponent > 1000) throw Error::Overflow();
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != t.size()) throw Error::TypeMismatch();

  std::string digits = StripLeadingZeros(whole + fraction);
  long scale = static_cast<long>(fraction.size()) - exponent;
  if (digits.empty()) return Decimal{};
  if (scale < 0) {
    if (digits.size() + static_cast<std::size_t>(-scale) > kMaxDecimalDigits) throw Error::Overflow();
    digits.append(static_cast<std::size_t>(-scale), '0');
    scale = 0;
  }
  while (scale > 0 && digits.back() == '0') {
    digits.pop_back();
    --scale;
  }
  if (digits.size() > kMaxDecimalDigits || scale > kMaxDecimalScale) throw Error::Overflow();
  value.magnitude = digits;
  value.scale = static_cast<int>(scale);
  return value;
}

Decimal PlusOne(Decimal value) {
  const std::string one = "1" + std::string(static_cast<std::size_t>(value.scale), '0');
  if (!value.negative) {
    value.magnitude = AddMagnitudes(value.magnitude, one);
  } else if (CompareMagnitudes(value.magnitude, one) > 0) {
    value.magnitude = SubtractMagnitudes(value.magnitude, one);
  } else {
    value.negative = false;
    value.magnitude = SubtractMagnitudes(one, value.magnitude);
  }
  if (value.magnitude.size() > kMaxDecimalDigits) throw Error::Overflow();
  return value;
}

std::string DecimalText(const Decimal& value) {
  std::string digits = value.magnitude;
  const auto scale = static_cast<std::size_t>(value.scale);
  if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
  std::string whole = digits.substr(0, digits.size() - scale);
  std::string fraction = digits.substr(digits.size() - scale);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string text = value.negative && !value.magnitude.empty() ? "-" : "";
  text += whole;
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

// The current value read as an exact decimal number, plus one, as decimal text. An Empty value
// reads as 0 and Null is refused, as the host's decimal conversion does.
std::string NextValueText(const Variant& value) {
  if (value.isNull()) throw Error::InvalidUseOfNull();
  return DecimalText(PlusOne(ParseDecimal(value.isEmpty() ? std::string("0") : value.toString())));
}

}  // namespace

std::shared_ptr<clsSequence> clsSequenceManager::LoadSequence(const std::string& ruleId, int16_t index) {
  return ReadSequence(ruleId, index).sequence;
}

std::string clsSequenceManager::GetSequenceNumber(std::shared_ptr<clsSequence>& sequence) {
  if (sequence == nullptr) RaiseError("流水号不存在.");
  const Variant& value = sequence->curValue();
  const Variant length(sequence->length());
  // The limit is compared in floating point on purpose: a value of 16 or more digits is rounded
  // first, so eighteen nines reach 10^18 and count as an overflow.
  const double current = NullToDbl(value);
  const double limit = std::pow(10.0, length.toDouble());
  if (!(current < limit)) RaiseError("流水号溢出.");
  const int16_t width = length.toInt16();
  std::string result = PadToWidth(value.toString(), width, "0");
  // The number after the last one of the width is stored whole rather than cut to zeros, which
  // would hand every number out a second time: the next draw then reports the overflow.
  std::string next = NextValueText(value);
  if (AnsiLength(next) <= width) next = PadToWidth(next, width, "0");
  sequence->setCurValue(Variant(next));
  return result;
}

std::string clsSequenceManager::CreateSequenceNumber(const std::string& ruleId, int16_t index) {
  return CreateSequenceNumbers(ruleId, index, 1).front();
}

std::vector<std::string> clsSequenceManager::CreateSequenceNumbers(const std::string& ruleId, int16_t index,
                                                                   int count) {
  Assert(count >= 1, "流水号的个数必须大于0");
  // No transaction of its own: both ways of drawing are atomic on both backends and work as well
  // inside a transaction the caller already holds (where the numbers drawn one by one are
  // consecutive too, the row being locked after the first).
  if (auto drawn = DrawInPlace(ruleId, index, count)) return *drawn;
  std::vector<std::string> numbers;
  numbers.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) numbers.push_back(DrawByCompare(ruleId, index));
  return numbers;
}

std::optional<std::vector<std::string>> clsSequenceManager::DrawInPlace(const std::string& ruleId, int16_t index,
                                                                        int count) {
  const Variant by(static_cast<int64_t>(count));
  auto rows = Conn()->Query(kDrawInPlace, {by, by, Variant(ruleId), Variant(index), by});
  if (rows->IsEOF()) return std::nullopt;
  const int64_t next = std::stoll(rows->Field("relevantValue").toString());
  const auto width = static_cast<std::size_t>(NullToLng(rows->Field("length")));
  // The stored value is the number after the last one handed out, of the same width.
  std::vector<std::string> numbers;
  numbers.reserve(static_cast<std::size_t>(count));
  for (int64_t number = next - count; number < next; ++number) {
    std::string digits = std::to_string(number);
    numbers.push_back(std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits);
  }
  return numbers;
}

std::string clsSequenceManager::DrawByCompare(const std::string& ruleId, int16_t index) {
  auto conn = Conn();
  Variant lost;
  bool hasLost = false;
  for (;;) {
    StoredSequence read = ReadSequence(ruleId, index);
    if (read.sequence == nullptr)
      RaiseError("条码规则" + ruleId + "的第" + std::to_string(index) + "项不是流水项，无法生成流水号");
    // A write lost to another draw always finds a different value on the next read; the same
    // value again means the row cannot be matched at all, and retrying would never end.
    if (hasLost && read.stored == lost)
      RaiseError("条码规则" + ruleId + "的第" + std::to_string(index) + "项的流水号无法保存");
    std::string number = GetSequenceNumber(read.sequence);
    const Variant next(read.sequence->curValue().toString());
    if (conn->Execute(kAdvanceSequence, {next, Variant(ruleId), Variant(index), read.stored}) > 0) return number;
    lost = read.stored;
    hasLost = true;
  }
}

std::shared_ptr<clsSequence> clsSequenceManager::CreateSequence(int16_t /*ruleId*/, int16_t /*index*/,
                                                                int16_t /*length*/, const std::string& /*name*/,
                                                                const std::string& /*initValue*/) {
  RaiseError("This method have not implemented");
}

void clsSequenceManager::SaveSequence(const std::shared_ptr<clsSequence>& seq) {
  Assert(seq != nullptr, "bad parameter: seq");
  Conn()->Execute(kUpdateSequence,
                  {Variant(seq->curValue().toString()), Variant(seq->ruleId()), Variant(seq->index())});
}

void clsSequenceManager::RemoveSequence(int16_t /*ruleId*/, int16_t /*index*/) {
  RaiseError("This method have not implemented");
}

void clsSequenceManager::AttachContext(const std::shared_ptr<clsContext>& context) { context_ = context; }

void clsSequenceManager::DetachContext() { context_.reset(); }

clsSequenceManager::StoredSequence clsSequenceManager::ReadSequence(const std::string& ruleId, int16_t index) {
  auto rows = Conn()->Query(kSelectSequence, {Variant(ruleId), Variant(index)});
  if (rows->IsEOF()) return {};
  auto sequence = std::make_shared<clsSequence>();
  sequence->setRuleId(ruleId);
  sequence->setIndex(index);
  sequence->setLength(std::to_string(NullToLng(rows->Field("length"))));
  Variant stored = rows->Field("relevantValue");
  sequence->setCurValue(Variant(Trim(NullToStr(stored))));
  return {sequence, stored};
}

std::shared_ptr<Connection> clsSequenceManager::Conn() const {
  auto context = context_.lock();
  Assert(context != nullptr && context->mConn() != nullptr, "流水号管理器没有初始化");
  return context->mConn();
}

}  // namespace quillstone
