// The copy contract of the records a client may duplicate: Clone makes an independent object,
// CopyTo writes this object's state into an existing one of the same class.
#pragma once

#include <memory>

#include "quillstone/platform/Error.h"

namespace quillstone {

class ICloneable {
 public:
  virtual ~ICloneable() = default;

  virtual std::shared_ptr<ICloneable> Clone() = 0;
  virtual void CopyTo(std::shared_ptr<ICloneable>& obj) = 0;

 protected:
  // The target of CopyTo as the implementing class. An object of another class is a type
  // mismatch; an empty pointer comes back empty so that each class can give its own message.
  template <typename T>
  static std::shared_ptr<T> CopyTarget(const std::shared_ptr<ICloneable>& obj) {
    auto typed = std::dynamic_pointer_cast<T>(obj);
    if (obj && !typed) throw Error::TypeMismatch();
    return typed;
  }
};

}  // namespace quillstone
