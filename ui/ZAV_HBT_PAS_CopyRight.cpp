#include "ui/ZAV_HBT_PAS_CopyRight.h"

#include "ui/guard.h"

namespace ui {

const MakerInfo& Maker()
{
    // Everything that names the makers, in one place.
    static const MakerInfo info{
        QStringLiteral("(桥梁基础计算系列)"),
        QStringLiteral("版权所有 © 2026 嵌岩桩计算项目组"),
        QStringLiteral("设计：项目组"),
        QStringLiteral("注册土木工程师(岩土)"),
        QStringLiteral("注册结构工程师"),
        QStringLiteral("(嵌岩桩计算项目组)"),
        QStringLiteral("https://www.example.org/"),
        QStringLiteral("www.example.org"),
        QStringLiteral("https://www.example.org/"),
        QStringLiteral("support@example.org"),
        QStringLiteral("https://www.example.org/download/rockpile.zip"),
    };
    return info;
}

void LinkLabel::click()
{
    userAction([this] {
        if (onClick)
            onClick();
    });
}

void LinkLabel::mouseMove()
{
    userAction([this] {
        if (onMouseMove)
            onMouseMove();
    });
}

void LinkLabel::mouseLeave()
{
    userAction([this] {
        if (onMouseLeave)
            onMouseLeave();
    });
}

namespace {

void place(Control& control, double x, double y, double width, double height)
{
    control.setGeometry({x, y, width, height});
}

// Hover: bold and underline added to the current style, then red.
void hoverStyle(Control& label)
{
    label.setBold(true);
    label.setUnderline(true);
    label.setTextColor(ColorRed);
}

// Leaving: bold and underline removed (italic and strike-out stay), then the colour.
void normalStyle(Control& label, quint32 color)
{
    label.setBold(false);
    label.setUnderline(false);
    label.setTextColor(color);
}

} // namespace

TZAV_HBT_FRM_CopyRight::TZAV_HBT_FRM_CopyRight(const Platform& platform)
    : m_platform(platform)
{
    const MakerInfo& maker = Maker();
    place(CopyRightLayer, 0, 0, ClientWidth, ClientHeight);
    lb_mokuaiming.setText(QStringLiteral("嵌岩桩承载力计算"));
    lb_mokuaiming.setFontSize(18);
    lb_mokuaiming.setBold(true);
    lb_mokuaiming.setTextColor(ColorBlue);
    lb_mokuaiming.setAlignment(TextAlign::Center);
    place(lb_mokuaiming, 0, 16, 265, 33);
    lb_xilie.setText(maker.series);
    lb_xilie.setFontSize(14);
    lb_xilie.setAlignment(TextAlign::Center);
    place(lb_xilie, 0, 48, 265, 17);
    lB_copyright.setText(maker.rights);
    place(lB_copyright, 32, 72, 217, 25);
    lb_sheji.setText(maker.designer);
    place(lb_sheji, 32, 104, 100, 25);
    lb_zhucheshi1.setText(maker.qualification1);
    lb_zhucheshi1.setFontSize(10);
    place(lb_zhucheshi1, 122, 96, 128, 25);
    lb_zhuceshi2.setText(maker.qualification2);
    lb_zhuceshi2.setFontSize(10);
    place(lb_zhuceshi2, 122, 112, 128, 25);
    lb_danwei.setText(maker.organisation);
    lb_danwei.setFontSize(10);
    lb_danwei.setAlignment(TextAlign::Center);
    place(lb_danwei, 32, 128, 218, 25);
    lb_wangzhilb.setText(QStringLiteral("网址："));
    place(lb_wangzhilb, 32, 152, 50, 25);
    lb_wangzhi.setText(maker.website);
    lb_wangzhi.setTextColor(ColorBlue);
    place(lb_wangzhi, 70, 152, 146, 25);
    cbt_update.setText(QStringLiteral("更新"));
    cbt_update.setFontSize(10);
    cbt_update.setCornerRadius(5);
    place(cbt_update, 216, 156, 20, 40);
    lb_lianxi.setText(QStringLiteral("邮箱："));
    place(lb_lianxi, 32, 176, 50, 25);
    lb_lianxiUr.setText(maker.email);
    lb_lianxiUr.setTextColor(ColorBlue);
    place(lb_lianxiUr, 70, 176, 146, 25);
    place(img_lianxi, 72, 212, 100, 100);

    lb_danwei.onClick = [this] { lb_danweiClick(); };
    lb_wangzhi.onClick = [this] { lb_wangzhiClick(); };
    lb_lianxiUr.onClick = [this] { lb_lianxiUrClick(); };
    cbt_update.onClick = [this] { cbt_updateClick(); };
    lb_danwei.onMouseMove = [this] { lb_danweiMouseMove(); };
    lb_danwei.onMouseLeave = [this] { lb_danweiMouseLeave(); };
    lb_wangzhi.onMouseMove = [this] { lb_wangzhiMouseMove(); };
    lb_wangzhi.onMouseLeave = [this] { lb_wangzhiMouseLeave(); };
    lb_lianxiUr.onMouseMove = [this] { lb_lianxiUrMouseMove(); };
    lb_lianxiUr.onMouseLeave = [this] { lb_lianxiUrMouseLeave(); };
}

void TZAV_HBT_FRM_CopyRight::open(const QString& url)
{
    if (m_platform.openUrl)
        m_platform.openUrl(url);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiClick()
{
    open(Maker().organisationUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_wangzhiClick()
{
    open(Maker().websiteUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_lianxiUrClick()
{
    open(QStringLiteral("mailto:") + Maker().email);
}

void TZAV_HBT_FRM_CopyRight::cbt_updateClick()
{
    open(Maker().downloadUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiMouseMove()
{
    lb_danwei.setText(Maker().organisationUrl);
    hoverStyle(lb_danwei);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiMouseLeave()
{
    lb_danwei.setText(Maker().organisation);
    normalStyle(lb_danwei, ColorBlack);
}

void TZAV_HBT_FRM_CopyRight::lb_wangzhiMouseMove()
{
    hoverStyle(lb_wangzhi);
}

void TZAV_HBT_FRM_CopyRight::lb_wangzhiMouseLeave()
{
    normalStyle(lb_wangzhi, ColorBlue);
}

void TZAV_HBT_FRM_CopyRight::lb_lianxiUrMouseMove()
{
    hoverStyle(lb_lianxiUr);
}

void TZAV_HBT_FRM_CopyRight::lb_lianxiUrMouseLeave()
{
    normalStyle(lb_lianxiUr, ColorBlue);
}

void TZAV_HBT_FRM_CopyRight::Show()
{
    m_shown = true;
    ++m_showCount;
}

void TZAV_HBT_FRM_CopyRight::Hide()
{
    m_shown = false;
}

void TZAV_HBT_FRM_CopyRight::runUserAction(const std::function<void()>& action)
{
    RunGuarded(action, m_platform.showError, m_actionDepth);
}

} // namespace ui
