// The free functions every class uses: raising the library's failures, converting values that
// may be Null, padding texts, and writing SQL literals.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillstone/platform/Error.h"
#include "quillstone/platform/Variant.h"

namespace quillstone {

// Raises number 0x800403E9, source "Assert", description `message` when `condition` is false.
void Assert(bool condition, const std::string& message);
// Raises number 0x800403E9, source "Error", description `message`.
[[noreturn]] void RaiseError(const std::string& message);

std::string NullToStr(const Variant& value);
double NullToDbl(const Variant& value) noexcept;
int32_t NullToLng(const Variant& value) noexcept;

std::string ZeroPadNumber(int32_t number, int16_t digits);
std::string Blanks(int16_t count);
std::string PadToWidth(const std::string& text, int16_t width, const std::string& pad);
std::string SqlLiteral(const Variant& value);

// Blanks removed at both ends (the host's Trim: spaces only).
std::string Trim(const std::string& text);

// The closing step of the methods that trap failures: runs `body`, then `release` (after success
// and after failure alike), and raises a trapped failure again as number 0x800403E9 with source
// "Assert" and the failure's own text. A trapped failure whose text is blank is raised with a
// message of its own, so a failure never turns into a normal return.
void TrapAndReraise(const std::function<void()>& body, const std::function<void()>& release = {});

// The same closing step with source "Error" (RaiseError) instead of "Assert".
void TrapAndRaiseError(const std::function<void()>& body, const std::function<void()>& release = {});

// Text used for a trapped failure that carried no description.
extern const char* const kBlankFailureMessage;

// The refusal of a service call made while the service root is not initialised.
extern const char* const kServiceNotStarted;

}  // namespace quillstone
