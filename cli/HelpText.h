#pragma once
// What the command-line program says of itself: its version and its help text.

namespace vorandel {

inline constexpr const char* kVersion = "vorandel 1.1.0";

inline constexpr const char* kHelp =
    "用法：\n"
    "  vorandel generate [--from 目录] [--out 目录] [--utf8] [批量表 ...]\n"
    "      从内置剧本（或 --from 目录中的 sndata.s5 和 taiki.s5）开始，按给出的顺序执行批量表，\n"
    "      检查全部剧本，然后在 --out 目录（默认为当前目录）生成新的 sndata.s5 和 taiki.s5；\n"
    "      已有的同名文件先改名为 sndata.s5.bak 和 taiki.s5.bak。\n"
    "  vorandel check [--from 目录] [--utf8] [批量表 ...]\n"
    "      与 generate 相同，但不写任何文件，只报告数据是否正确。\n"
    "  vorandel export 种类 [--from 目录] [--scenario 剧本序号 ...] [-o 文件] [--utf8]\n"
    "      把当前数据（内置剧本或 --from 目录中的剧本）导出为该种类的批量表，格式与执行时读取的完全相同；\n"
    "      种类为 officer（武将表）、lord（势力表）、city（城市表）或 name（人名/地名表）。\n"
    "      默认文件名为该批量表的默认文件名（如 ruv5_officer.txt），放在当前目录；已有的同名文件先改名为 .bak。\n"
    "      --scenario 只导出给出的剧本（可给多个序号；人名/地名表不分剧本，不接受此选项）。\n"
    "      导出的表不加修改地执行，剧本文件一个字节也不变。用法：先 export，用电子表格修改需要改的格子\n"
    "      （保存为制表符分隔的文本），再 generate 执行该表。\n"
    "      表无法表示的值：超出该列允许范围的数值；含空格、引号或超过8字节（城市名4字节）的名字；\n"
    "      非君主的主管不是恰好一项、君主的主管不是全部（内政除外）；已学技能不包含前“已学技能数”个\n"
    "      可学技能、可学技能重复；经验低于成长和已学技能数的下限；军师智力低于90或政治低于80、\n"
    "      一般武将智力90以上且政治80以上；在野、隐士、待命武将带兵或训练不为0；违反宝物规则的宝物。\n"
    "      含这类值的武将、势力或城市在表中的设置为0（执行时不修改），并在错误输出中逐条列出。\n"
    "      各剧本地形、地图位置或相邻城不同时，城市表的选项为60（不从剧本0复制）；\n"
    "      在各剧本中名字不同的武将或城市不写入人名/地名表。\n"
    "  vorandel info [--from 目录]\n"
    "      列出每个剧本的序号、开始年份、开始月份、已上场和待上场武将人数（以制表符分隔）。\n"
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
    "退出码：0 完成；1 数据或批量表有错误，没有写任何文件；2 用法错误；\n"
    "        3 文件无法读取、改名或写入（信息中写明是哪个文件）。\n";

}  // namespace vorandel
