#include "ui/ZAV_HBT_PAS_CopyRight.h"

#include "core/version.h"
#include "ui/guard.h"

namespace ui {

const MakerInfo& Maker()
{
    // Everything that names the makers, in one place; the version and the addresses come
    // from CMakeLists.txt.
    static const MakerInfo info = [] {
        const core::ProgramAddresses& at = core::ConfiguredAddresses();
        const QString none = QStringLiteral("（未提供）");
        MakerInfo maker;
        maker.series = QStringLiteral("(桥梁基础计算系列)");
        maker.rights = QStringLiteral("版本 %1 · MIT 许可 · © 2026").arg(core::ProgramVersion());
        maker.designer = QStringLiteral("设计：项目组");
        maker.qualification1 = QStringLiteral("注册土木工程师(岩土)");
        maker.qualification2 = QStringLiteral("注册结构工程师");
        maker.organisation = QStringLiteral("(嵌岩桩计算项目组)");
        maker.organisationUrl = at.website;
        maker.website = at.website.isEmpty() ? none : ShownAddress(at.website);
        maker.websiteUrl = at.website;
        maker.email = at.email.isEmpty() ? none : at.email;
        maker.emailUrl = at.email.isEmpty() ? QString() : QStringLiteral("mailto:") + at.email;
        maker.downloadUrl = at.download;
        maker.licenses = QStringLiteral(
            "本程序按 MIT 许可发布（LICENSE）；随附组件的许可证见程序文件夹中的 %1")
                             .arg(QStringView(core::NoticesFileName));
        return maker;
    }();
    return info;
}

QString ShownAddress(const QString& url)
{
    QString shown = url;
    for (const QString& scheme : {QStringLiteral("https://"), QStringLiteral("http://")}) {
        if (shown.startsWith(scheme))
            shown.remove(0, scheme.size());
    }
    if (shown.endsWith(u'/'))
        shown.chop(1);
    return shown;
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

TZAV_HBT_FRM_CopyRight::TZAV_HBT_FRM_CopyRight(const Platform& platform, MakerInfo info)
    : m_platform(platform)
    , m_maker(std::move(info))
{
    const MakerInfo& maker = m_maker;
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
    lB_copyright.setHint(maker.licenses);
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
    // Without a download page there is nothing to open.
    cbt_update.setEnabled(!maker.downloadUrl.isEmpty());
    cbt_update.setHint(
        maker.downloadUrl.isEmpty() ? QStringLiteral("未提供下载地址") : maker.downloadUrl);
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
    if (!url.isEmpty() && m_platform.openUrl)
        m_platform.openUrl(url);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiClick()
{
    open(m_maker.organisationUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_wangzhiClick()
{
    open(m_maker.websiteUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_lianxiUrClick()
{
    open(m_maker.emailUrl);
}

void TZAV_HBT_FRM_CopyRight::cbt_updateClick()
{
    open(m_maker.downloadUrl);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiMouseMove()
{
    // An organisation without a web address keeps its name.
    if (!m_maker.organisationUrl.isEmpty())
        lb_danwei.setText(m_maker.organisationUrl);
    hoverStyle(lb_danwei);
}

void TZAV_HBT_FRM_CopyRight::lb_danweiMouseLeave()
{
    lb_danwei.setText(m_maker.organisation);
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
