#include "app/batch/system_error_text.h"

#include <cerrno>
#include <cstring>

namespace tarvel::batch {

std::string SystemErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "文件或目录不存在";
    case EACCES:
    case EPERM:
      return "没有权限";
    case EISDIR:
      return "是一个目录";
    case ENOTDIR:
      return "路径中有一项不是目录";
    case ENOSPC:
      return "磁盘已满";
    case EDQUOT:
      return "超出磁盘配额";
    case EROFS:
      return "文件系统是只读的";
    case EIO:
      return "输入输出错误";
    case EFBIG:
      return "文件太大";
    case ENAMETOOLONG:
      return "文件名太长";
    case EPIPE:
      return "读取的一方已经关闭";
    default:
      return std::string(strerrordesc_np(error) ? strerrordesc_np(error) : "未知错误") + "（错误 " +
             std::to_string(error) + "）";
  }
}

}  // namespace tarvel::batch
