// The host's account object; opaque to the library.
#pragma once

namespace quillstone {

class Account {
 public:
  virtual ~Account() = default;
};

}  // namespace quillstone
