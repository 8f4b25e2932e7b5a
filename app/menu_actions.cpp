// The help, about and workspace commands.
#include "app/quorbel.h"

#include "workspace/workspace.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace {

const QString &tutorialText()
{
    static const QString text =
        QStringLiteral("步骤一：\n在左上方添加字段（表格标题），中间是字段的正则表达式。\n"
                       "不会正则没关系，预设有姓名、手机、邮箱等。\n\n")
        + QStringLiteral(
            "步骤二：\n在左下方的输入框中粘贴文本，点击“添加”，文本中的散乱信息将自动分类到表格中，"
            "无需手动调整。\n更懒的方法是，直接点“识别剪贴板”。\n\n")
        + QStringLiteral("步骤三：\n点击右下角的“复制为Excel”，可在Excel中粘贴。\n\n"
                         "后续或将支持更多骚操作，比如按顺序复制、网页表单填写等。");
    return text;
}

const QString &aboutText()
{
    static const QString text = QStringLiteral("软件：Quorbel\n版本：") + QStringLiteral(QUORBEL_VERSION)
        + QStringLiteral("\n问题反馈：请提交到本项目的问题跟踪系统（Issues）\n\n")
        + QStringLiteral("为大幅度提高信息归类效率而专门开发的办公工具\n（懒呀~~）\n\n")
        + QStringLiteral("本软件依 MIT 许可证发布，可自由使用、复制、修改和分发。");
    return text;
}

} // namespace

void Quorbel::slotWorkSpaceActionTriggered()
{
    // A file URL, not a bare path: "C:/…" would read as a URL scheme, and spaces or "#" would break it.
    QDesktopServices::openUrl(directoryUrl(workspace->dataDir));
}

void Quorbel::slotHelpActionTriggered()
{
    QMessageBox::information(this, QStringLiteral("Quorbel 教程"), tutorialText(), QMessageBox::Ok);
}

void Quorbel::slotAboutActionTriggered()
{
    QMessageBox::information(this, QStringLiteral("关于 Quorbel"), aboutText(), QMessageBox::Ok);
}
