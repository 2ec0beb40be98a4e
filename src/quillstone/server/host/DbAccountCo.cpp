#include "src/quillstone/server/host/DbAccountCo.h"

#include "quillstone/platform/Connection.h"
#include "src/quillstone/platform/FirstRow.h"
#include "src/quillstone/server/FieldText.h"
#include "src/quillstone/server/host/DbAccount.h"
#include "src/quillstone/server/host/DbHostCommon.h"
#include "quillstone/server/host/HostLogin.h"
#include "src/quillstone/server/host/HostSupport.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

bool DbAccountCo::Init(const std::shared_ptr<HostLogin>& login, std::string& error_text) {
  common_.reset();
  auto common = DbHostCommon::ForLogin(login, error_text);
  if (common == nullptr) return false;
  return AnswerWithText(error_text, [&] {
    std::string user = login->userId();
    if (!HasRow(*common->connection(), "select cUserId from HostUser where cUserId = ?", {Variant(user)})) {
      error_text = "用户'" + user + "'不存在";
      return false;
    }
    common_ = common;
    user_ = user;
    return true;
  });
}

bool DbAccountCo::Load(std::shared_ptr<Account>& account, std::string& error_text) {
  if (common_ == nullptr) {
    error_text = "AccountCo对象没有初始化";
    return false;
  }
  return AnswerWithText(error_text, [&] {
    auto rs = common_->connection()->Query(
        "select HostAccount.cAccId, HostAccount.cAccName, HostAccount.iYear from HostUser"
        " inner join HostAccount on (HostUser.cAccId = HostAccount.cAccId) where HostUser.cUserId = ?",
        {Variant(user_)});
    if (rs->IsEOF()) {
      error_text = "用户'" + user_ + "'没有可用的账套";
      return false;
    }
    auto loaded = std::dynamic_pointer_cast<DbAccount>(account);
    if (loaded == nullptr) loaded = std::make_shared<DbAccount>();
    loaded->setAccId(FieldText(*rs, "cAccId"));
    loaded->setAccName(FieldText(*rs, "cAccName"));
    loaded->setYear(NullToLng(rs->Field("iYear")));
    account = loaded;
    return true;
  });
}

}  // namespace quillstone
