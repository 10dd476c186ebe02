#pragma once
// What the command-line program says of itself: its version and its help text.
#include <string>

#include "app/Version.h"

namespace vorandel {

inline constexpr const char* kVersion = "vorandel " VORANDEL_VERSION;

// The help text; commandHelp gives one command's part of it.
inline constexpr const char* kHelp =
    "用法：\n"
    "  vorandel generate [--from 目录] [--out 目录] [--report 文件] [--utf8] [批量表 ...]\n"
    "      从内置剧本（或 --from 目录中的 sndata.s5 和 taiki.s5）开始，按给出的顺序执行批量表，\n"
    "      检查全部剧本，然后在 --out 目录（默认为当前目录，不存在时自动建立）生成新的 sndata.s5 和 taiki.s5；\n"
    "      已有的同名文件先改名为 sndata.s5.bak 和 taiki.s5.bak。\n"
    "      每个批量表执行后在错误输出中用一行说明它修改了什么：修改的武将、势力、城市数，改动最多的列，\n"
    "      新增的武将和跳过（设置为0）的行；“没有修改任何数据”说明该表没有起作用。\n"
    "      --report 文件：把全部修改逐项写成制表符分隔的清单（剧本、种类、编号、名称、列、原值、新值），\n"
    "      列名与批量表的列名相同，包括执行规则自动作出的修改；没有修改时文件为空。文件为 - 时\n"
    "      写到标准输出；已有同名文件时替换，原有的文件保存为 .bak。加 --utf8 时清单为UTF-8。\n"
    "  vorandel check [--from 目录] [--report 文件] [--utf8] [批量表 ...]\n"
    "      与 generate 相同，但不写剧本文件，只报告数据是否正确（--report 的清单照样写出）。\n"
    "  vorandel export 种类 [--from 目录] [--scenario 剧本序号 ...] [--columns 列名,...] [-o 文件] [--force] [--utf8]\n"
    "      把当前数据（内置剧本或 --from 目录中的剧本）导出为该种类的批量表，格式与执行时读取的完全相同；\n"
    "      种类为 officer（武将表）、lord（势力表）、city（城市表）或 name（人名/地名表）。\n"
    "      默认文件名为该批量表的默认文件名（如 ruv5_officer.txt），放在当前目录。已有同名文件时不导出，\n"
    "      除非加 --force：这时原有的文件保存为同名的 .bak 文件。-o - 把表写到标准输出（信息仍在错误输出）；\n"
    "      -o 为符号链接时写入它所指的文件（该文件保存为 .bak，链接不变）；为设备或管道时直接写入，不备份。\n"
    "      --scenario 只导出给出的剧本（可给多个序号；人名/地名表不分剧本，不接受此选项）。\n"
    "      --columns 武力,智力：只打开这些列（开关为1），其余列的开关为0；表只修改要改的列，\n"
    "      就不会把前面的表改过的值改回去。不认识的列名被拒绝，并列出可以导出的列。\n"
    "      导出的表不加修改地执行，剧本文件一个字节也不变。用法：先 export，用电子表格修改需要改的格子\n"
    "      （保存为制表符分隔的文本），再 generate 执行该表。\n"
    "      表无法表示的值：超出该列允许范围的数值；含空格或超过8字节（城市名4字节）的名字；\n"
    "      非君主的主管不是恰好一项、君主的主管不是全部（内政除外）；已学技能不包含前“已学技能数”个\n"
    "      可学技能、可学技能重复；经验低于成长和已学技能数的下限；军师智力低于90或政治低于80、\n"
    "      一般武将智力90以上且政治80以上；在野、隐士、待命武将带兵或训练不为0；违反宝物规则的宝物。\n"
    "      含这类值的武将、势力或城市在表中的设置为0（执行时不修改），并在错误输出中逐条列出。\n"
    "      各剧本地形、地图位置或相邻城不同时，城市表的选项为60（不从剧本0复制）；\n"
    "      在各剧本中名字不同的武将或城市不写入人名/地名表。\n"
    "  vorandel map [--from 目录] [--scenario 剧本序号 ...] [-o 文件] [--utf8] [批量表 ...]\n"
    "      把当前数据（执行给出的批量表之后）画成 SVG 地图：每个城市在小地图上的位置、相邻城市间的连线、\n"
    "      所属势力的颜色（无主为灰色）、城市名和在该城任职的武将人数，以及各势力君主、颜色、城市数和\n"
    "      武将数的图例；标题写明剧本的开始年月。不加 --scenario 时画全部剧本，一个剧本一幅，上下排列。\n"
    "      默认文件为当前目录的 vorandel-map.svg，已有同名文件时直接替换；-o - 写到标准输出。\n"
    "      用浏览器打开即可查看。\n"
    "  vorandel show city 城市名或序号 [--scenario 剧本序号] [--from 目录] [--utf8] [批量表 ...]\n"
    "  vorandel show force 君主名或势力序号 [--scenario 剧本序号] [--from 目录] [--utf8] [批量表 ...]\n"
    "      列出一个城市的数值、所属势力和太守，以及任职武将、在野武将和隐士（姓名、ID、身份、武力、\n"
    "      智力、政治、魅力，按游戏中的排列顺序）；或一个势力的数值、城市和武将。剧本默认为 0。\n"
    "  vorandel info [--from 目录]\n"
    "      列出每个剧本的序号、开始年份、开始月份、已上场和待上场武将人数（以制表符分隔）。\n"
    "  vorandel diff 目录 [目录2]\n"
    "      比较两对剧本文件，按 --report 的格式列出每一项不同：原值为 目录2（不给出时为内置剧本）中的值，\n"
    "      新值为 目录 中的值。相同时什么也不输出，退出码为 0；不同时为 1。\n"
    "  vorandel list 种类\n"
    "      列出表中可以写的名字及其代码：cities（城市）、items（宝物及其种类）、skills（技能）、\n"
    "      formations（阵形）、statuses（身份）、duties（主管）。\n"
    "  vorandel list columns officer|lord|city\n"
    "      列出该批量表的全部数据列：列名、格式、允许范围和可写的名字。\n"
    "  vorandel 命令 --help  只显示该命令的说明。\n"
    "  vorandel --help      显示本说明。\n"
    "  vorandel --version   显示版本。\n"
    "批量表（可重复，按给出的顺序执行；每个批量表要么全部生效，要么完全不生效）：\n"
    "  --name 文件    批量修改所有剧本中的人名/地名（默认文件名 ruv5_name.txt）\n"
    "  --officer 文件 批量修改武将信息（ruv5_officer.txt）；执行后检查全部剧本\n"
    "      设置为3新建的武将主管“特殊”（表中有“主管”列时按该列），与最晚上场的待命武将同年上场\n"
    "      （剧本中没有待命武将时为开始年份）；表中没有“所在地”列时新武将的所在地为0，检查不通过。\n"
    "  --lord 文件    批量修改势力信息（ruv5_lord.txt）\n"
    "  --city 文件    批量修改城市信息（ruv5_city.txt）\n"
    "  --utf8         表以UTF-8保存（导出时写成UTF-8，执行时读UTF-8）；不加此选项时为GBK。\n"
    "  文件写作 - 时从标准输入读取该表（只能有一个）。选项也可以写成 --out=目录 的形式。\n"
    "  种类也可以用中文：武将（officer）、势力（lord）、城市（city）、人名（name）。\n"
    "  表的第1行是列名，第2行是开关行：每个数据列下面写 1（使用该列）或 0（不使用）；\n"
    "  城市表开关行的“设置”格是选项数字（4 地形、8 地图位置、16 相邻城、32 不从剧本0复制，可相加），\n"
    "  武将表开关行的“设置”格为 1 时，武将离开后没有武将的城市变为空城。\n"
    "  数据行的“设置”：0 跳过该行；1 使用该行。武将表另有：2 与 1 相同；3 剧本中没有该ID时新建武将；\n"
    "      4 修改所在地时加入目的城市的势力；5 修改所在地时占领属于别的势力的目的城市。\n"
    "  详见帮助文件 docs/help/Vorandel.txt；vorandel list columns officer 列出武将表的列。\n"
    "退出码：0 完成；1 数据或批量表有错误，没有写任何文件；2 用法错误；\n"
    "        3 文件无法读取、改名或写入（信息中写明是哪个文件）。\n"
    "        export 的文件已存在而没有加 --force 时为 1，同样没有写任何文件。\n";

// One command's part of the help: its lines, the batch tables' options when it takes them, the exit codes.
std::string commandHelp(const std::string& command);

}  // namespace vorandel
