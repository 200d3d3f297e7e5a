#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrun {

struct GameSearchRow {
    std::string setName;
    std::string label;
};

// The list of matching games under the game box while the user types. It never touches the
// typed text: Down moves into it, Enter or a click picks a row, Escape closes it, and Enter
// with no row picked goes on to the window as before.
class GameSearchPopup final : public QObject {
    Q_OBJECT
  public:
    using Search = std::function<std::vector<GameSearchRow>(const std::string& typed)>;
    using Pick = std::function<void(const std::string& setName)>;

    GameSearchPopup();
    ~GameSearchPopup() override;

    // Takes over the box's typing; attaching to the same box again changes nothing.
    void Attach(QComboBox& box, Search search, Pick pick);
    QListWidget& List() { return *list_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Update(const QString& typed);
    // True when the key was the popup's.
    bool HandleKey(int key);
    void PickRow(int row);

    QPointer<QComboBox> box_;
    std::unique_ptr<QListWidget> list_;
    std::vector<GameSearchRow> rows_;
    Search search_;
    Pick pick_;
};

}  // namespace kestrun
