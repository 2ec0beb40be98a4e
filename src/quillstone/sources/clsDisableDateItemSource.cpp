#include "src/quillstone/sources/clsDisableDateItemSource.h"

namespace quillstone {
namespace {

const clsDateItemSource::Messages kDisableDateMessages{
    "失效日期的相关值是日期的格式，必须为yyyymm、yymm、yyyymmdd或者yymmdd",
    "失效日期的条码规则项的长度与其日期格式长度不一致.",
    "失效日期不是一个合法的日期值",
    "失效日期的条码长度与条码规则中规定的长度不一致，要求长度为 ",
    "失效日期不能为空",
    "失效日期与条码值不一致，要求条码值'",
    "失效日期条形码'",
};

}  // namespace

clsDisableDateItemSource::clsDisableDateItemSource() : clsDateItemSource(kDisableDateMessages) {}

}  // namespace quillstone
