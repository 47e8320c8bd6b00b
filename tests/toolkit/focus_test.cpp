// The focus handler: requests, cyclic moves and tabbing, modal focus, removal,
// and the order of gained and lost events.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "debug_capture.h"
#include "event_recorder.h"
#include "test_widget.h"
#include "text.h"
#include "toolkit/container.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/rtlist.h"

namespace {

using lmt::test::DebugCapture;
using lmt::test::EventRecorder;
using lmt::test::TestWidget;
using lmt::test::text;
using lmt::test::widgetName;

using Lines = std::vector<std::string>;

// Three focusable widgets w1, w2, w3 in one handler, with one recorder on all.
class FocusFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (int32_t i = 0; i < 3; ++i) {
            widgets.push_back(std::make_unique<TestWidget>("w" + std::to_string(i + 1)));
            widgets.back()->setFocusHandler(&handler);
            widgets.back()->addFocusListener(&recorder);
        }
    }
    void TearDown() override {
        for (auto& w : widgets) {
            w->setFocusHandler(nullptr);
        }
    }

    TestWidget& w(int32_t n) { return *widgets[size_t(n - 1)]; }
    std::string focused() const { return widgetName(handler.getFocused()); }

    lmt::FocusHandler handler;
    Lines log;
    EventRecorder recorder{&log};
    std::vector<std::unique_ptr<TestWidget>> widgets;
};

TEST_F(FocusFixture, RequestSendsLostThenGained) {
    w(1).requestFocus();
    EXPECT_EQ(log, (Lines{"focusGained w1"}));
    log.clear();
    w(2).requestFocus();
    EXPECT_EQ(log, (Lines{"focusLost w1", "focusGained w2"}));
    log.clear();
    handler.requestFocus(&w(2));  // already focused: nothing
    handler.requestFocus(nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(w(2).isFocused());
}

TEST_F(FocusFixture, MovesTable) {
    struct Case {
        const char* what;
        int32_t start;  // 0: nothing focused
        void (lmt::FocusHandler::*move)();
        std::string expected;
    };
    const Case cases[] = {
        {"next from w2", 2, &lmt::FocusHandler::focusNext, "w3"},
        {"previous from w2", 2, &lmt::FocusHandler::focusPrevious, "w1"},
        {"previous from w1 wraps", 1, &lmt::FocusHandler::focusPrevious, "w3"},
        {"next from w3 wraps", 3, &lmt::FocusHandler::focusNext, "w1"},
        {"next from nothing", 0, &lmt::FocusHandler::focusNext, "w1"},
        {"previous from nothing", 0, &lmt::FocusHandler::focusPrevious, "w3"},
        {"tab next from nothing", 0, &lmt::FocusHandler::tabNext, "w1"},
        {"tab previous from nothing", 0, &lmt::FocusHandler::tabPrevious, "w3"},
        {"tab next from w3 wraps", 3, &lmt::FocusHandler::tabNext, "w1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        handler.focusNone();
        if (c.start != 0) {
            w(c.start).requestFocus();
        }
        (handler.*c.move)();
        EXPECT_EQ(focused(), c.expected);
    }
}

TEST_F(FocusFixture, MovingSendsGainedBeforeLost) {
    w(1).requestFocus();
    log.clear();
    handler.focusNext();
    EXPECT_EQ(log, (Lines{"focusGained w2", "focusLost w1"}));
    log.clear();
    handler.tabPrevious();
    EXPECT_EQ(log, (Lines{"focusGained w1", "focusLost w2"}));
}

TEST_F(FocusFixture, TabFromNothingSendsNoLostEvent) {
    handler.tabNext();
    EXPECT_EQ(log, (Lines{"focusGained w1"}));
}

TEST_F(FocusFixture, SkipsWidgetsThatCannotTakeTheFocus) {
    struct Case {
        const char* what;
        void (*change)(TestWidget&);
        void (lmt::FocusHandler::*move)();
        std::string expected;
    };
    const Case cases[] = {
        {"not focusable", [](TestWidget& t) { t.setFocusable(false); }, &lmt::FocusHandler::focusNext, "w3"},
        {"disabled", [](TestWidget& t) { t.setEnabled(false); }, &lmt::FocusHandler::focusNext, "w3"},
        {"hidden", [](TestWidget& t) { t.setVisible(false); }, &lmt::FocusHandler::tabNext, "w3"},
        {"tab-in off is skipped by tabbing", [](TestWidget& t) { t.setTabInEnabled(false); },
         &lmt::FocusHandler::tabNext, "w3"},
        {"tab-in off is reached by focusNext", [](TestWidget& t) { t.setTabInEnabled(false); },
         &lmt::FocusHandler::focusNext, "w2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        widgets.clear();
        SetUp();
        w(1).requestFocus();
        c.change(w(2));
        (handler.*c.move)();
        EXPECT_EQ(focused(), c.expected);
    }
}

TEST_F(FocusFixture, OnlyTheFocusedWidgetFocusableChangesNothing) {
    w(2).setFocusable(false);
    w(3).setFocusable(false);
    w(1).requestFocus();
    log.clear();
    handler.focusNext();
    handler.focusPrevious();
    handler.tabNext();
    EXPECT_EQ(focused(), "w1");
    EXPECT_TRUE(log.empty());
}

TEST_F(FocusFixture, TabOutDisabledKeepsTheFocus) {
    w(2).requestFocus();
    w(2).setTabOutEnabled(false);
    handler.tabNext();
    EXPECT_EQ(focused(), "w2");
    handler.tabPrevious();
    EXPECT_EQ(focused(), "w2");
    handler.focusNext();  // only tabbing looks at tab-out
    EXPECT_EQ(focused(), "w3");
}

TEST(FocusEmptyTest, MovesOnAnEmptyListLeaveNothingFocused) {
    for (void (lmt::FocusHandler::*move)() : {&lmt::FocusHandler::focusNext, &lmt::FocusHandler::focusPrevious,
                                              &lmt::FocusHandler::tabNext, &lmt::FocusHandler::tabPrevious}) {
        lmt::FocusHandler handler;
        (handler.*move)();
        EXPECT_EQ(handler.getFocused(), nullptr);
    }
}

TEST_F(FocusFixture, RequestForAWidgetNotListedThrowsAndKeepsTheFocus) {
    DebugCapture debug;
    TestWidget stranger("stranger");
    w(1).requestFocus();
    try {
        handler.requestFocus(&stranger);
        FAIL() << "must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Trying to focus a none existing widget.");
        EXPECT_EQ(text(e.getFilename()), "focushandler");
    }
    EXPECT_EQ(debug.text(), "Trying to focus a none existing widget.\n");
    EXPECT_EQ(focused(), "w1");
}

TEST_F(FocusFixture, RemovalClearsTheFocusWithoutAnEventAndEmptiesTheSlots) {
    w(2).requestFocus();
    handler.setDraggedWidget(&w(2));
    handler.setLastWidgetPressed(&w(2));
    handler.setSpareWidget(&w(2));
    handler.setLastWidgetWithModalFocus(&w(2));
    handler.setLastWidgetWithModalMouseInputFocus(&w(3));
    log.clear();
    handler.remove(&w(2));
    EXPECT_EQ(handler.getFocused(), nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(handler.getDraggedWidget(), nullptr);
    EXPECT_EQ(handler.getLastWidgetPressed(), nullptr);
    EXPECT_EQ(handler.getSpareWidget(), nullptr);
    EXPECT_EQ(handler.getLastWidgetWithModalFocus(), nullptr);
    EXPECT_EQ(handler.getLastWidgetWithModalMouseInputFocus(), &w(3));
    EXPECT_EQ(lmt::listCount(handler.getWidgets()), 2);
    w(2).setFocusHandler(nullptr);
}

class ModalFixture : public ::testing::Test {
protected:
    void SetUp() override {
        top.add(&outside);
        top.add(&window);
        window.add(&inside);
        top.setFocusHandler(&handler);
        window.setFocusable(true);
        outside.addFocusListener(&recorder);
    }
    void TearDown() override { top.setFocusHandler(nullptr); }

    lmt::FocusHandler handler;
    lmt::Container top;
    TestWidget outside{"outside"};
    lmt::Container window;
    TestWidget inside{"inside"};
    Lines log;
    EventRecorder recorder{&log};
};

TEST_F(ModalFixture, ModalFocusClearsAFocusOutsideIt) {
    outside.requestFocus();
    log.clear();
    window.requestModalFocus();
    EXPECT_EQ(handler.getFocused(), nullptr);
    EXPECT_EQ(log, (Lines{"focusLost outside"}));
}

TEST_F(ModalFixture, ModalFocusKeepsAFocusInsideIt) {
    inside.requestFocus();
    window.requestModalFocus();
    EXPECT_EQ(handler.getFocused(), &inside);
    window.requestModalFocus();  // again for the same widget is allowed
    EXPECT_EQ(handler.getModalFocused(), &window);
}

TEST_F(ModalFixture, TabbingStaysInsideTheModalWidget) {
    window.requestModalFocus();
    std::vector<lmt::Widget*> seen;
    for (int32_t i = 0; i < 4; ++i) {
        handler.tabNext();
        seen.push_back(handler.getFocused());
    }
    EXPECT_EQ(seen, (std::vector<lmt::Widget*>{&window, &inside, &window, &inside}));
    handler.focusNext();  // focusNext does not look at modal focus
    EXPECT_EQ(handler.getFocused(), &outside);
}

TEST_F(ModalFixture, SecondModalRequestsThrow) {
    struct Case {
        const char* what;
        void (lmt::Widget::*request)();
        const char* message;
    };
    const Case cases[] = {
        {"modal focus", &lmt::Widget::requestModalFocus, "Another widget already has modal focus."},
        {"modal mouse input focus", &lmt::Widget::requestModalMouseInputFocus,
         "Another widget already has modal input focus."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DebugCapture debug;
        (window.*c.request)();
        try {
            (outside.*c.request)();
            FAIL() << "must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), c.message);
            EXPECT_EQ(text(e.getFilename()), "focushandler");
        }
        EXPECT_EQ(debug.text(), std::string(c.message) + "\n");
    }
    EXPECT_EQ(handler.getModalFocused(), &window);
    EXPECT_EQ(handler.getModalMouseInputFocused(), &window);
}

TEST_F(ModalFixture, ModalMouseInputFocusLeavesTheKeyboardFocus) {
    outside.requestFocus();
    window.requestModalMouseInputFocus();
    EXPECT_EQ(handler.getFocused(), &outside);
    handler.releaseModalMouseInputFocus(&outside);  // not the holder: nothing
    EXPECT_EQ(handler.getModalMouseInputFocused(), &window);
    handler.releaseModalMouseInputFocus(&window);
    EXPECT_EQ(handler.getModalMouseInputFocused(), nullptr);
}

TEST(FocusHandlerLifetimeTest, DestroyedHandlerLetsGoOfItsWidgets) {
    TestWidget loose("loose");
    lmt::Container tree;
    TestWidget child("child");
    tree.add(&child);
    {
        lmt::FocusHandler handler;
        loose.setFocusHandler(&handler);
        tree.setFocusHandler(&handler);
        child.requestFocus();
    }
    EXPECT_EQ(loose.getFocusHandler(), nullptr);
    EXPECT_EQ(tree.getFocusHandler(), nullptr);
    EXPECT_EQ(child.getFocusHandler(), nullptr);
    EXPECT_FALSE(child.isFocused());
}

}  // namespace
