#include "src/quillstone/sources/clsMadeDateItemSource.h"

namespace quillstone {
namespace {

const clsDateItemSource::Messages kMadeDateMessages{
    "生产日期的相关值是日期的格式，必须为yyyymm、yymm、yyyymmdd或者yymmdd",
    "生产日期格式必须生产日期条码规则项的长度相一致",
    "生产日期不是一个合法的日期值",
    "生产日期的条码长度与条码规则中规定的长度不一致，要求长度为 ",
    "生产日期不能为空",
    "生产日期与条码值不一致，要求条码值'",
    "生产日期条形码'",
};

}  // namespace

clsMadeDateItemSource::clsMadeDateItemSource() : clsDateItemSource(kMadeDateMessages) {}

}  // namespace quillstone
