#include "core/input_items.h"

namespace core {

QStringList SectionItems()
{
    return {QStringLiteral("圆桩"), QStringLiteral("椭圆桩"), QStringLiteral("矩形桩")};
}

QStringList ProcessItems()
{
    return {QStringLiteral("打入桩、震动下沉桩(管柱)"), QStringLiteral("钻(挖)孔灌注桩、管柱")};
}

QStringList ConditionItems(PileProcess process)
{
    if (process == PileProcess::Driven)
        return {QStringLiteral("匀质无裂缝的岩石"), QStringLiteral("有严重裂缝的风(易)化岩石")};
    return {QStringLiteral("良好"), QStringLiteral("一般"), QStringLiteral("较差")};
}

} // namespace core
