#include "quillstone/server/host/DbHostLogin.h"

#include "quillstone/platform/DateTime.h"
#include "src/quillstone/server/host/DbHostFactory.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

std::shared_ptr<DbHostLogin> DbHostLogin::Create(const std::string& connStr, const std::string& user,
                                                 const Variant& loginDate) {
  Variant day;
  if (loginDate.isEmpty() || loginDate.isNull()) {
    day = Variant(Today());
  } else if (loginDate.isDate()) {
    day = loginDate;
  } else {
    auto parsed = ParseIsoDate(Trim(NullToStr(loginDate)));
    Assert(parsed.has_value(), "登录日期不是合法的日期值");
    day = Variant(*parsed);
  }
  return std::shared_ptr<DbHostLogin>(new DbHostLogin(connStr, user, day));
}

DbHostLogin::DbHostLogin(std::string connStr, std::string user, Variant loginDate)
    : connStr_(std::move(connStr)),
      user_(std::move(user)),
      loginDate_(std::move(loginDate)),
      factory_(std::make_shared<DbHostFactory>()) {}

std::shared_ptr<HostFactory> DbHostLogin::hostFactory() { return factory_; }

}  // namespace quillstone
