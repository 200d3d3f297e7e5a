#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <string>
#include <string_view>

#include "games/game_box_model.h"
#include "games/game_history.h"
#include "platform/profile_store.h"

namespace kestrun {

// The game box: an editable combo box of the dialog, given a history of the games started
// and the text it held at the last close, and taking files dropped from a file manager.
// It attaches to the combo box the dialog made rather than being one, the way a control of
// a dialog template is taken over by its class.
class CGameComboBox final : public QObject, public GameBoxModel {
    Q_OBJECT
  public:
    explicit CGameComboBox(ProfileStore& profile) : history_(profile, *this) {}

    // Takes over the box; attaching to the same box again changes nothing.
    void Attach(QComboBox& box);

    // The history rules; see GameHistory.
    int InsertItem(std::string_view text) { return history_.InsertItem(0, text); }
    std::string LoadHistory(std::string_view section, std::string_view keyPrefix,
                            bool saveCurrentText, std::string_view currentTextKey = {}) {
        return history_.LoadHistory(section, keyPrefix, saveCurrentText, currentTextKey);
    }
    // The list goes to the profile unchanged; the current text is stored under its own key.
    void SaveHistory() { history_.SaveHistory(); }

    // The first name only; a shortcut is followed to its target, and anything but a regular
    // file leaves the box as it was.
    void OnDropFiles(const QStringList& localFiles);

    // GameBoxModel over the combo box's items and edit text.
    int Count() const override;
    std::string ItemText(int position) const override;
    int InsertItem(int position, std::string_view text) override;
    void DeleteItem(int position) override;
    void SelectItem(int position) override;
    std::string Text() const override;
    void SetText(std::string_view text) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QComboBox> box_;
    GameHistory history_;
};

}  // namespace kestrun
