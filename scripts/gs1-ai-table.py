#!/usr/bin/env python3
"""Writes the library's GS1 AI table (src/quillstone/gs1/Gs1AiRows.inc) from a copy of GS1's
Barcode Syntax Dictionary.

    python3 scripts/gs1-ai-table.py DICTIONARY [--commit SHA] [--out FILE]

The dictionary's upstream commit is named in the output; without --commit it is read from the
README beside the dictionary ("upstream commit <sha>"). Without --out the table goes to stdout.
The output depends on nothing but the dictionary and this script, so running it again on the same
copy gives the same bytes.
"""
import argparse
import os
import re
import sys

# The linters of the dictionary, as the C++ enumeration Gs1Linter names them.
LINTERS = {
    "csum": "CheckDigit",
    "csumalpha": "CheckCharacterPair",
    "gcppos1": "CompanyPrefixAt1",
    "gcppos2": "CompanyPrefixAt2",
    "yymmd0": "DateDay00",
    "yymmdd": "Date",
    "yyyymmdd": "Date8",
    "hhmi": "HourMinute",
    "hh": "Hour",
    "mi": "Minute",
    "ss": "Second",
    "zero": "Zero",
    "nonzero": "NonZero",
    "yesno": "YesNo",
    "winding": "Winding",
    "hyphen": "Hyphen",
    "pieceoftotal": "PieceOfTotal",
    "nozeroprefix": "NoZeroPrefix",
    "hasnondigit": "HasNonDigit",
    "pcenc": "PercentEncoded",
    "posinseqslash": "PositionInSequence",
    "iso5218": "Sex",
    "latitude": "Latitude",
    "longitude": "Longitude",
    "importeridx": "ImporterIndex",
    "iso3166": "Country",
    "iso3166999": "CountryOr999",
    "iso3166alpha2": "CountryAlpha2",
    "iso4217": "Currency",
    "iban": "Iban",
    "packagetype": "PackageType",
    "mediatype": "MediaType",
    "couponcode": "CouponCode",
    "couponposoffer": "CouponPositiveOffer",
}

CHARSETS = {"N": "Numeric", "X": "Alphanumeric", "Y": "Cset39", "Z": "Base64Url"}

# What the AIs a receiving clerk meets are, in Chinese; the others keep the dictionary's title.
NAMES = {
    "00": "系列货运包装箱代码", "01": "全球贸易项目代码", "02": "所含贸易项目的代码", "03": "定制贸易项目代码",
    "10": "批号", "11": "生产日期", "12": "付款截止日期", "13": "包装日期", "15": "保质期", "16": "销售截止日期",
    "17": "有效期", "20": "产品变体", "21": "序列号", "22": "消费品变体", "235": "第三方管理的序列号",
    "240": "附加产品标识", "241": "客户方代码", "242": "定制产品变体", "243": "包装组件代码", "250": "二级序列号",
    "251": "源实体参考代码", "253": "全球文件类型标识符", "254": "全球位置码扩展部分", "255": "全球优惠券代码",
    "30": "可变数量", "37": "所含贸易项目的数量", "400": "订单号", "401": "全球托运标识代码",
    "402": "全球装运标识代码", "403": "路径代码", "410": "交货地全球位置码", "411": "受票方全球位置码",
    "412": "供货方全球位置码", "413": "最终收货方全球位置码", "414": "物理位置全球位置码", "415": "开票方全球位置码",
    "416": "生产或服务地全球位置码", "417": "参与方全球位置码", "420": "交货地邮政编码", "421": "交货地邮政编码(含国家代码)",
    "422": "原产国", "423": "初始加工国", "424": "加工国", "425": "拆分国", "426": "全程加工国",
    "7001": "北约物资代码", "7002": "胴体肉与分割产品分类", "7003": "有效期(日期和时间)", "7004": "活性",
    "7005": "捕获区", "7006": "首次冷冻日期", "7007": "收获日期", "7008": "水产品种", "7009": "渔具类型",
    "7010": "生产方式", "7011": "测试截止日期", "8001": "卷状产品尺寸", "8002": "蜂窝移动电话标识符",
    "8003": "全球可回收资产标识符", "8004": "全球单个资产标识符", "8005": "单价", "8006": "贸易项目组件标识符",
    "8008": "生产日期和时间", "8012": "软件版本", "8013": "全球型号代码", "8017": "全球服务关系代码(提供方)",
    "8018": "全球服务关系代码(接受方)", "8020": "付款单参考号", "8026": "所含贸易项目组件标识符",
    "8200": "产品网址", "90": "贸易伙伴之间约定的信息",
}
for ai in range(91, 100):
    NAMES[str(ai)] = "企业内部信息"
for decimals in range(6):
    NAMES["310%d" % decimals] = "净重(千克)"
    NAMES["330%d" % decimals] = "毛重(千克)"

# The unit of each measure by the first three digits of its AI.
UNITS = {
    "310": "kg", "311": "m", "312": "m", "313": "m", "314": "m²", "315": "l", "316": "m³",
    "320": "lb", "321": "in", "322": "ft", "323": "yd", "324": "in", "325": "ft", "326": "yd",
    "327": "in", "328": "ft", "329": "yd",
    "330": "kg", "331": "m", "332": "m", "333": "m", "334": "m²", "335": "l", "336": "m³", "337": "kg/m²",
    "340": "lb", "341": "in", "342": "ft", "343": "yd", "344": "in", "345": "ft", "346": "yd",
    "347": "in", "348": "ft", "349": "yd",
    "350": "in²", "351": "ft²", "352": "yd²", "353": "in²", "354": "ft²", "355": "yd²",
    "356": "oz t", "357": "fl oz", "360": "qt", "361": "gal", "362": "qt", "363": "gal",
    "364": "in³", "365": "ft³", "366": "yd³", "367": "in³", "368": "ft³", "369": "yd³",
    "394": "%",
}
# AIs whose last digit is the number of decimals: the measures, amounts, prices and percentages.
DECIMAL_PREFIXES = tuple(UNITS) + ("390", "391", "392", "393", "395")

def fail(message):
    sys.exit("gs1-ai-table: " + message)


def components(format_tokens, ai):
    out = []
    for token in format_tokens:
        # An optional component, "[N3],iso3166", carries its linters after the bracket.
        if token.startswith("["):
            m = re.match(r"^\[([NXYZ])(\d+|\.\.\d+)\]((?:,\w+)*)$", token)
            if not m:
                fail("%s: cannot read component %r" % (ai, token))
            charset, length, linters, optional = m.group(1), m.group(2), m.group(3), True
        else:
            m = re.match(r"^([NXYZ])(\d+|\.\.\d+)((?:,\w+)*)$", token)
            if not m:
                fail("%s: cannot read component %r" % (ai, token))
            charset, length, linters, optional = m.group(1), m.group(2), m.group(3), False
        if length.startswith(".."):
            low, high = 1, int(length[2:])
        else:
            low = high = int(length)
        names = [l for l in linters.split(",") if l]
        for name in names:
            if name not in LINTERS:
                fail("%s: unknown linter %r" % (ai, name))
        if len(names) > 3:
            fail("%s: more than three linters on one component" % ai)
        out.append((CHARSETS[charset], low, high, optional, [LINTERS[n] for n in names]))
    return out


def parse(path):
    entries = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            body, _, title = line.partition("#")
            tokens = body.split()
            codes = tokens.pop(0)
            flags = ""
            if tokens and re.fullmatch(r"[*!?\"$%&'()+,\-./:;<=>@\[\\\]^_`{|}~]+", tokens[0]):
                flags = tokens.pop(0)
            formats = []
            while tokens and re.match(r"^\[?[NXYZ](\d|\.\.)", tokens[0]):
                formats.append(tokens.pop(0))
            attrs = {"req": [], "ex": [], "dlpkey": None}
            for token in tokens:
                key, eq, value = token.partition("=")
                if key == "dlpkey":
                    attrs["dlpkey"] = value if eq else ""
                elif key in ("req", "ex"):
                    attrs[key].append(value)
                else:
                    fail("%s: unknown attribute %r" % (codes, token))
            first, _, last = codes.partition("-")
            last = last or first
            if len(first) != len(last):
                fail("bad range " + codes)
            for n in range(int(first), int(last) + 1):
                code = str(n).zfill(len(first))
                entries.append((code, flags, components(formats, code), attrs, title.strip()))
    entries.sort(key=lambda e: e[0])
    return entries


def cstr(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def summary_check(comps):
    """The check a rule item cares about, for an AI of one component (or 7003's date and time)."""
    linters = [l for c in comps for l in c[4]]
    if len(comps) == 1 and "CheckDigit" in linters:
        return "CheckDigit"
    if len(comps) == 1 and "DateDay00" in linters:
        return "DateDay00"
    if len(comps) == 1 and "Date" in linters:
        return "Date"
    if len(comps) == 2 and comps[0][4] == ["Date"] and comps[1][4] == ["HourMinute"] and not comps[1][3]:
        return "DateTime"
    return "None"


def render(entries, commit):
    out = []
    out.append("// Generated by scripts/gs1-ai-table.py from GS1's Barcode Syntax Dictionary")
    out.append("// (Apache License 2.0), upstream commit %s. Do not edit: run the script again." % commit)
    out.append("// Included once, by Gs1AiTable.cpp.")
    out.append("")
    out.append("constexpr Gs1Component kComponents[] = {")
    rows = []
    index = 0
    for code, flags, comps, attrs, title in entries:
        first = index
        for charset, low, high, optional, linters in comps:
            lint = ", ".join("Gs1Linter::" + l for l in linters) or ""
            out.append("    {Gs1Charset::%s, %d, %d, %s, {%s}},  // %s" %
                       (charset, low, high, "true" if optional else "false", lint, code))
            index += 1
        rows.append((code, flags, comps, attrs, title, first))
    out.append("};")
    out.append("")
    out.append("constexpr Gs1Ai kTable[] = {")
    for code, flags, comps, attrs, title, first in rows:
        min_len = sum(c[1] for c in comps if not c[3])
        max_len = sum(c[2] for c in comps)
        charset = "Numeric" if all(c[0] == "Numeric" for c in comps) else "Alphanumeric"
        decimals = int(code[3]) if len(code) == 4 and code[:3] in DECIMAL_PREFIXES else -1
        unit = UNITS.get(code[:3], "") if decimals >= 0 else ""
        uses_year = any(l in ("DateDay00", "Date") for c in comps for l in c[4])
        dl = attrs["dlpkey"]
        fields = [
            cstr(code), cstr(title), cstr(NAMES.get(code) or title or "AI(%s)" % code),
            "Gs1Charset::" + charset, str(min_len), str(max_len),
            "Gs1Check::" + summary_check(comps), str(decimals), cstr(unit),
            "true" if "*" in flags else "false",
            "true" if "?" in flags else "false",
            "true" if dl is not None else "false",
            cstr(dl or ""),
            cstr(" ".join(attrs["req"])), cstr(" ".join(attrs["ex"])),
            str(first), str(len(comps)),
            "true" if uses_year else "false",
        ]
        out.append("    {" + ", ".join(fields) + "},")
    out.append("};")
    return "\n".join(out) + "\n"


def read_commit(dictionary):
    readme = os.path.join(os.path.dirname(os.path.abspath(dictionary)), "README.md")
    if os.path.exists(readme):
        with open(readme, encoding="utf-8") as f:
            m = re.search(r"upstream commit ([0-9a-f]{40})", f.read())
            if m:
                return m.group(1)
    fail("no --commit given and no 'upstream commit <sha>' in %s" % readme)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dictionary")
    parser.add_argument("--commit")
    parser.add_argument("--out")
    args = parser.parse_args()
    commit = args.commit or read_commit(args.dictionary)
    text = render(parse(args.dictionary), commit)
    if args.out:
        with open(args.out, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
