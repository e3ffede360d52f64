#include "display/ui/menu_builder.hpp"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <map>

namespace kro {

namespace {

void refresh_on_open(QMenu& menu, const MenuCallbacks& callbacks) {
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, callbacks] {
        for (QAction* action : menu.actions()) {
            if (action->isSeparator() || action->menu()) continue;
            const int id = action->data().toInt();
            const CommandInfo* info = find_command(id);
            action->setEnabled(callbacks.enabled ? callbacks.enabled(id) : true);
            if (info && callbacks.checked && action->isCheckable()) action->setChecked(callbacks.checked(id));
        }
    });
}

}  // namespace

void fill_menu(QMenu& menu, const std::vector<MenuEntry>& entries, const MenuCallbacks& callbacks) {
    std::vector<QMenu*> stack = {&menu};
    for (const auto& entry : entries) {
        QMenu* current = stack.back();
        switch (entry.kind) {
            case MenuEntry::Separator: current->addSeparator(); break;
            case MenuEntry::Submenu: {
                QMenu* sub = current->addMenu(QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())));
                refresh_on_open(*sub, callbacks);
                stack.push_back(sub);
                break;
            }
            case MenuEntry::EndSubmenu:
                if (stack.size() > 1) stack.pop_back();
                break;
            case MenuEntry::Command: {
                const std::string_view text = entry_text(entry);
                QAction* action = current->addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
                action->setData(entry.id);
                action->setStatusTip(QString::fromStdString(command_prompt(entry.id)));
                action->setToolTip(QString::fromStdString(command_tool_tip(entry.id)));
                action->setCheckable(entry.checked || is_toggle_command(entry.id));
                action->setChecked(entry.checked);
                const int id = entry.id;
                auto trigger = callbacks.trigger;
                QObject::connect(action, &QAction::triggered, current, [trigger, id] {
                    if (trigger) trigger(id);
                });
                break;
            }
        }
    }
    refresh_on_open(menu, callbacks);
}

QIcon command_icon(int id) {
    // Short glyphs for the buttons; the command's prompt and tool tip say the rest.
    static const std::map<int, const char*> glyphs = {
        {33110, "N"},  {32701, "S"},  {32711, "Az"}, {32723, "H"},  {32733, "A"},  {32772, "DB"}, {33080, "E"},
        {32712, "P"},  {33135, "[]"}, {32731, "W"},  {32732, "R"},  {606, "~"},    {32704, "F"},  {33145, "f"},
        {32737, "x"},  {32735, "#"},  {33023, "<<"}, {33209, "So"}, {33020, "v"},  {33019, "^"},  {33017, "<"},
        {33018, ">"},  {33056, "C"},  {33015, "+|"}, {33016, "-|"}, {33022, "-"},  {33021, "+"},  {32774, "=A"},
        {33057, "=T"}, {33169, "=S"}, {19, "O"},     {33041, "Rl"}, {33043, "Co"}, {33044, "M"},  {117, "-"},
        {116, "+"},    {104, "1"},    {121, "v"},    {120, "^"},    {119, "<"},    {118, ">"},    {33185, "H"},
        {32729, "+L"}, {32715, "SL"}, {32719, "L"},  {33055, "71"}, {33194, "I"},  {33036, "D"},  {33082, "+W"},
        {33147, "f"},  {33117, "L"},  {33116, "S"},  {33092, "+|"}, {33091, "-|"}, {33098, "-"},  {33097, "+"},
        {33086, "1"},  {33087, "v"},  {33088, "^"},  {33089, "<"},  {33090, ">"},  {33099, "lg"}, {33108, "Fx"},
        {57651, "="},  {57652, "||"}, {57650, "C"},  {32705, "W"},  {32708, "P"},  {33105, "D"},  {32707, "M"},
    };
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 127));
    const auto it = glyphs.find(id);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, QString::fromLatin1(it != glyphs.end() ? it->second : "?"));
    p.end();
    return QIcon(pixmap);
}

}  // namespace kro
