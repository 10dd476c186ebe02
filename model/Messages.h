#pragma once
// The texts of the messages about the data format and files, each in one place; the layers above use them by name.

namespace vorandel {

inline constexpr const char* kOfficersBroken = "剧本武将信息被破坏";
inline constexpr const char* kOfficerNumberBroken = "武将编号出错";
inline constexpr const char* kScenarioNumberWrong = "剧本编号错误";
inline constexpr const char* kCityNumberOutOfRange = "城市编号超出范围";
inline constexpr const char* kForceNumberWrong = "势力编号错误";
inline constexpr const char* kPortraitOutOfRange = "头像编号超出范围。";
inline constexpr const char* kTooManyWaiting = "剧本待上场武将人数过多";
inline constexpr const char* kTooManyOfficers = "剧本武将总数超出范围";
inline constexpr const char* kReadOnlyFile = "这个文件是只读的：去掉它的只读属性后再试。";
inline constexpr const char* kCannotWriteFile = "无法写入文件：%s";
inline constexpr const char* kCannotRenameTo = "无法将 %s 重命名为: %s";
inline constexpr const char* kCannotReadFile = "无法读取文件：%s";
// A file another program holds open (one %s: the file); the second line says what to do.
inline constexpr const char* kHeldOpen = "文件 %s 正被另一个程序打开（例如电子表格），现在无法使用。";
inline constexpr const char* kCloseAndRetry = "请在那个程序中关闭这个文件，然后按“重试”。";
inline constexpr const char* kFolderNotFile = "原因：这是一个文件夹，不是文件";

// Why a call of the system failed (SystemReason.h), in the player's words; kSystemErrorNumber for the rest.
inline constexpr const char* kReasonNotFound = "找不到这个文件或文件夹";
inline constexpr const char* kReasonNotAFolder = "路径中有一段不是文件夹";
inline constexpr const char* kReasonIsAFolder = "这是一个文件夹";
inline constexpr const char* kReasonNoPermission = "没有权限";
inline constexpr const char* kReasonDiskFull = "磁盘已满";
inline constexpr const char* kReasonReadOnlySystem = "这是只读的文件系统";
inline constexpr const char* kReasonExists = "已经有同名的文件";
inline constexpr const char* kReasonNameTooLong = "文件名太长";
inline constexpr const char* kReasonTooManyOpen = "同时打开的文件太多";
inline constexpr const char* kReasonDiskFault = "读写磁盘时出错";
inline constexpr const char* kReasonBusy = "文件正被使用";
inline constexpr const char* kReasonLinkLoop = "路径中的符号链接太多，或者绕成了圈";
inline constexpr const char* kReasonFileTooLarge = "文件超过了允许的最大大小";
inline constexpr const char* kReasonOtherDisk = "不能把文件移到另一个磁盘上";
inline constexpr const char* kReasonTooManyLinks = "链接数已经达到上限";
inline constexpr const char* kReasonProgramRunning = "文件正被一个运行中的程序使用";
inline constexpr const char* kReasonFolderNotEmpty = "文件夹不是空的";
inline constexpr const char* kReasonQuotaExceeded = "磁盘配额已经用完";
inline constexpr const char* kReasonStaleNetworkFile = "网络上的文件已经失效，请重新连接后再试";
inline constexpr const char* kReasonNotSupported = "这个磁盘不支持这种操作";
inline constexpr const char* kReasonOutOfMemory = "内存不足";
inline constexpr const char* kSystemErrorNumber = "系统错误 %d";

}  // namespace vorandel
