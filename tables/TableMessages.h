#pragma once
// The texts of the batch tables' messages, each in one place.

namespace vorandel {

inline constexpr const char* kUnknownName = "输入文件存在错误数据，请检查非数字文本串。";
inline constexpr const char* kNotAnInteger = "不能全部转为整数。";
inline constexpr const char* kOutOfRange = "数值不在允许范围内";
inline constexpr const char* kNotASwitch = "数值只能为0或1";
inline constexpr const char* kWaitingHoldsNoItems = "待命武将不能带宝物";
inline constexpr const char* kHeaderTwice = "表头中「%s」出现了不止一次，只有最右边的一列起作用";
inline constexpr const char* kShownOnlyColumn = "「%s」列只供查看，导入时不会写入（开关可设为0）";
// Cells of switched-off columns that hold other values than the data, which were not written: their
// count, the first of them (place, the cell, the data's value), the count when more are not listed,
// and what to do.
inline constexpr const char* kSwitchedOffCells = "开关为0的列中有 %zu 个格子与现在的数据不同，这些格子没有写入：";
inline constexpr const char* kSwitchedOffCell = "  %s：表中是%s，现在的数据是%s";
inline constexpr const char* kSwitchedOffCellsMore = "  ……共 %zu 个";
inline constexpr const char* kSwitchedOffCellsHint = "  要写入这些格子，请把它们所在列的开关（第2行）改为1";
inline constexpr const char* kGrowthBelow16 = "成长值必须小于16";
inline constexpr const char* kOneDutyOnly = "非君主只能主管一项工作";
inline constexpr const char* kSkillCodeOutOfRange = "技能代码超过范围";
inline constexpr const char* kSkillRepeated = "技能出现重复";
inline constexpr const char* kOneItemKind = "普通武将只能拥有一类型的宝物。";
inline constexpr const char* kOfficerNameTooLong = "武将名过长";
inline constexpr const char* kCityNameTooLong = "城市名太长";
// Below a name that is too long: the room of the field, then the name and its bytes.
inline constexpr const char* kNameRoom = "最多%zu个汉字（%zu字节）：「%s」有 %zu 个字节";
// A city table without option 32 made the other scenarios' geography that of scenario 0 again after
// its rows had edited cities there; the number of such cities.
inline constexpr const char* kGeographyCopied =
    "剧本 0 的地理（靠水、气候、未知、地图位置、相邻城）复制到了其他剧本，表中其他剧本的 %zu 个城市的修改因此"
    "被覆盖；要保留各剧本自己的地理，请在设置中加上 32";
// 附加技能 beyond 32 bits or negative: the cell, the bits it is read as, the skills they grant.
inline constexpr const char* kExtraSkillsOutside = "附加技能「%s」不在 0–FFFFFFFF 之内，读作 %X：%s";
inline constexpr const char* kEveryExtraSkill = "全部 32 个技能";
// Agriculture or commerce above its limit, lowered to the limit: the count, then the first of them.
inline constexpr const char* kLoweredToLimit =
    "%zu 处农业或商业高于上限，已降到上限；第一处：剧本 %zu 城市 %d 的%s %u 降到 %u";
inline constexpr const char* kSkillsEmpty = "技能不能为空值";
inline constexpr const char* kSixSkills = "技能个数必须为6个";
inline constexpr const char* kIdRepeated = "ID重复";
// Below kIdRepeated: the earlier row of the same scenario that named the id (1-based line).
inline constexpr const char* kIdFirstRow = "同一剧本的第%u行已经写了这个ID";
// Below the item conflict: the item and the row of this table that handed it out first (1-based line).
inline constexpr const char* kItemFirstRow = "「%s」已由第%u行交给了一位武将";

// The shape of a table with a header row and a switch row.
inline constexpr const char* kUnevenRows = "每行列数必须一样";
inline constexpr const char* kUnevenOfficerRows = "每行的列数必须一致。";
// Below a row's count of cells: the header column (name, 1-based number) where the row falls short, or
// the last one before the row's extra cells.
inline constexpr const char* kRowEndsBefore = "这一行从「%s」列（第%zu列）起没有单元格";
inline constexpr const char* kRowRunsOnAfter = "这一行在「%s」列（第%zu列）之后还有多余的单元格";
// Below a row that is short, instead of kRowEndsBefore: a row of no cells at all; the first column whose
// cell is empty (two tabs side by side) when the cells after it fit the columns after it; an empty cell
// whose column is not certain.
inline constexpr const char* kRowIsEmpty = "这一行是空行（只有空格或制表符）：请在表格软件中删除这一行";
inline constexpr const char* kRowCellEmpty = "这一行「%s」列（第%zu列）的单元格是空的：请填上它的值";
inline constexpr const char* kRowHasEmptyCell =
    "这一行有空的单元格（两个制表符挨在一起）：每个单元格都要有值，请填上空的单元格";
// Below a table of a single line that holds carriage returns: its lines end in CR alone.
inline constexpr const char* kHintCrLineEnds =
    "这个表的行以单独的回车符（CR，旧 Mac 格式）结束，读起来只有一行：请另存为以 CRLF（Windows）或 LF "
    "换行的制表符分隔文本";
// Below a cell error, for characters a spreadsheet's Chinese input gives in place of ASCII ones.
inline constexpr const char* kHintFullWidthComma = "单元格中有全角逗号「，」：各项之间请用半角逗号「,」分隔";
inline constexpr const char* kHintFullWidthDigits = "单元格中有全角数字（如「８０」）：请改用半角数字（如 80）";
// A row whose scenario the set does not have, passed over: the highest scenario number.
inline constexpr const char* kScenarioBeyondSet = "剧本编号不在 0–%zu 之内的行没有改变任何数据";
// A 君主 cell that holds no officer ID (a name), which changed nothing.
inline constexpr const char* kRulerCellNotId = "「君主」列的格子写的不是武将ID，这些行的君主没有改变：请写武将ID";
inline constexpr const char* kOfficerIdUnknown = "剧本中没有这个武将ID";
// An id beyond every officer of the set, in a row that does not make its officer: the hint below.
inline constexpr const char* kIdBeyondOfficers = "头像编号错误";
inline constexpr const char* kHintNewOfficerMode = "新建武将请把设置改为3";
// Below 所在地 naming a city by the new name an earlier table of the run gave it.
inline constexpr const char* kLocationIsNewName = "「%s」是城市 %d 的新名字；所在地要写城市原来的名字「%s」";
inline constexpr const char* kNameNotGbk = "名字中有GBK无法表示的字符，游戏无法显示";

// The name list.
// Below an entry that begins with a lower-case kind.
inline constexpr const char* kHintKindUpperCase = "种类要写大写的 W 或 C，不能写小写的 w 或 c";
inline constexpr const char* kNameListNumberNotWhole = "编号应是整数，后面用空格或制表符与名字分开";
inline constexpr const char* kNamesAreQuestionMarks = "名单中的名字大多是问号：保存表格时中文变成了问号。";
inline constexpr const char* kNamesAreQuestionMarksCount = "%zu 个名字中有 %zu 个只有问号，第一个：";
inline constexpr const char* kHintSaveEncodingForNames =
    "表格是用不能写中文的编码保存的（例如非中文系统的「ANSI」文本）：请在表格软件中另存为「Unicode 文本」"
    "（UTF-16）或带 BOM 的 UTF-8 文本，修改器都能读取";

}  // namespace vorandel
