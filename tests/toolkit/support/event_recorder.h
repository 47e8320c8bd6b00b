// Test double: one listener of every kind that writes each call it receives as
// a line ("mousePressed w1 3,4 b1 c1"), naming widgets by their id.
#pragma once

#include <string>
#include <vector>

#include "toolkit/actionlistener.h"
#include "toolkit/deathlistener.h"
#include "toolkit/focuslistener.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widgetlistener.h"

namespace lmt::test {

class EventRecorder : public MouseListener,
                      public KeyListener,
                      public FocusListener,
                      public ActionListener,
                      public DeathListener,
                      public WidgetListener {
public:
    // Lines go to the given log (shared by several recorders to see the order).
    explicit EventRecorder(std::vector<std::string>* log = nullptr, std::string name = "");

    void mouseEntered(MouseEvent& e) override { mouse("mouseEntered", e); }
    void mouseExited(MouseEvent& e) override { mouse("mouseExited", e); }
    void mousePressed(MouseEvent& e) override { mouse("mousePressed", e); }
    void mouseReleased(MouseEvent& e) override { mouse("mouseReleased", e); }
    void mouseClicked(MouseEvent& e) override { mouse("mouseClicked", e); }
    void mouseWheelMovedUp(MouseEvent& e) override { mouse("mouseWheelMovedUp", e); }
    void mouseWheelMovedDown(MouseEvent& e) override { mouse("mouseWheelMovedDown", e); }
    void mouseMoved(MouseEvent& e) override { mouse("mouseMoved", e); }
    void mouseDragged(MouseEvent& e) override { mouse("mouseDragged", e); }
    void keyPressed(KeyEvent& e) override { key("keyPressed", e); }
    void keyReleased(KeyEvent& e) override { key("keyReleased", e); }
    void focusGained(const Event& e) override { plain("focusGained", e); }
    void focusLost(const Event& e) override { plain("focusLost", e); }
    void action(const ActionEvent& e) override;
    void death(const Event& e) override { plain("death", e); }
    void widgetResized(const Event& e) override { plain("widgetResized", e); }
    void widgetMoved(const Event& e) override { plain("widgetMoved", e); }
    void widgetHidden(const Event& e) override { plain("widgetHidden", e); }
    void widgetShown(const Event& e) override { plain("widgetShown", e); }

    // Mark every key or mouse event this recorder receives consumed.
    bool consumeKeys = false;
    bool consumeMouse = false;

    std::vector<std::string> own;  // this recorder's lines
    std::vector<std::string>* log;

private:
    void add(const std::string& line);
    void mouse(const char* what, MouseEvent& e);
    void key(const char* what, KeyEvent& e);
    void plain(const char* what, const Event& e);

    std::string name;
};

// The id of a widget for the lines ("-" for none, "(destroyed)" for a dead one).
std::string widgetName(const Widget* widget);

}  // namespace lmt::test
