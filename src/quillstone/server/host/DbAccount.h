// The default account object: the set of books (HostAccount row) the user works in.
#pragma once

#include <cstdint>
#include <string>

#include "quillstone/server/host/Account.h"

namespace quillstone {

class DbAccount : public Account {
 public:
  const std::string& accId() const { return accId_; }
  void setAccId(std::string v) { accId_ = std::move(v); }
  const std::string& accName() const { return accName_; }
  void setAccName(std::string v) { accName_ = std::move(v); }
  int32_t year() const { return year_; }
  void setYear(int32_t v) { year_ = v; }

 private:
  std::string accId_;
  std::string accName_;
  int32_t year_ = 0;
};

}  // namespace quillstone
