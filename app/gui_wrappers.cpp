// app: the wrapper library's objects and creators. Everything it makes lives
// until guiRelease (the program's end hook); a second guiInit first destroys
// what the first made, newest first, so no widget outlives what it points at.
#include "app/gui_wrappers.h"

#include <memory>
#include <new>
#include <vector>

#include "runtime/system/debug_output.h"
#include "runtime/system/utility_commands.h"
#include "toolkit/backend/korvanefont.h"
#include "toolkit/backend/korvanegraphics.h"
#include "toolkit/backend/korvaneimageloader.h"
#include "toolkit/backend/korvaneinput.h"
#include "toolkit/backend/korvanelistmodel.h"
#include "toolkit/backend/runtimecommands.h"
#include "toolkit/backend/runtimeoutput.h"
#include "toolkit/button.h"
#include "toolkit/checkbox.h"
#include "toolkit/container.h"
#include "toolkit/dropdown.h"
#include "toolkit/gui.h"
#include "toolkit/icon.h"
#include "toolkit/image.h"
#include "toolkit/imagebutton.h"
#include "toolkit/label.h"
#include "toolkit/listbox.h"
#include "toolkit/radiobutton.h"
#include "toolkit/scrollarea.h"
#include "toolkit/slider.h"
#include "toolkit/tabbedarea.h"
#include "toolkit/textbox.h"
#include "toolkit/textfield.h"
#include "toolkit/window.h"

namespace {

class GuiLibrary {
public:
    void tearDown() {
        if (gui != nullptr) {
            gui->setTop(nullptr);
        }
        // Newest first: a widget goes before the container, model and font it uses.
        while (!widgets.empty()) {
            widgets.pop_back();
        }
        models.clear();
        top.reset();
        gui.reset();
        input.reset();
        graphics.reset();
        lmt::Widget::setGlobalFont(nullptr);
        font.reset();
        lmt::Image::setImageLoader(nullptr);
        imageLoader.reset();
        guiSprite = -1;
    }

    // Takes ownership and hands out the handle (1-based index; 0 is none).
    int32_t keep(std::unique_ptr<lmt::Widget> widget) {
        widgets.push_back(std::move(widget));
        return int32_t(widgets.size());
    }

    lmt::Widget* widget(int32_t handle) const {
        if (handle < 1 || size_t(handle) > widgets.size()) {
            return nullptr;
        }
        return widgets[size_t(handle) - 1].get();
    }

    std::unique_ptr<lmt::Container> top;
    std::unique_ptr<lmt::Gui> gui;
    std::unique_ptr<lmt::KorvaneFont> font;
    std::unique_ptr<lmt::KorvaneInput> input;
    std::unique_ptr<lmt::KorvaneGraphics> graphics;
    std::unique_ptr<lmt::KorvaneImageLoader> imageLoader;
    int32_t guiSprite = -1;
    std::vector<std::unique_ptr<lmt::Widget>> widgets;
    std::vector<std::unique_ptr<KorvaneListModel>> models;
};

// Made on first use and destroyed by guiRelease only, never by the process's
// exit: nothing of the toolkit runs after the runtime has gone.
GuiLibrary*& libraryInstance() {
    static GuiLibrary* instance = nullptr;
    return instance;
}

GuiLibrary& library() {
    GuiLibrary*& instance = libraryInstance();
    if (instance == nullptr) {
        instance = new GuiLibrary;
    }
    return *instance;
}

// A handle of the wrong kind of widget counts as no widget.
template <typename T>
T* widgetAs(int32_t handle) {
    return dynamic_cast<T*>(library().widget(handle));
}

bool intoParent(int32_t mode) { return mode == 0 || mode == 1; }

// Places a finished widget by the mode rule and hands out its handle; a widget
// that cannot be placed (mode 0 or 1 without a parent) is destroyed and 0 returned.
int32_t place(std::unique_ptr<lmt::Widget> widget, int32_t parent, int32_t x, int32_t y, int32_t mode,
              bool unplacedMode2 = false) {
    GuiLibrary& lib = library();
    if (intoParent(mode)) {
        auto* container = widgetAs<lmt::Container>(parent);
        if (container == nullptr) {
            return 0;
        }
        lmt::Widget* raw = widget.get();
        const int32_t handle = lib.keep(std::move(widget));
        container->add(raw, x, y);
        return handle;
    }
    if (mode == 2 && unplacedMode2) {
        return lib.keep(std::move(widget));
    }
    if (lib.top == nullptr) {
        return 0;
    }
    lmt::Widget* raw = widget.get();
    const int32_t handle = lib.keep(std::move(widget));
    lib.top->add(raw, x, y);
    return handle;
}

KorvaneListModel* makeModel(const RtString& items) {
    auto model = std::make_unique<KorvaneListModel>();
    model->count = splitString(items, model->items, RtString("|"));
    library().models.push_back(std::move(model));
    return library().models.back().get();
}

void dropModel(KorvaneListModel* model) {
    auto& models = library().models;
    if (!models.empty() && models.back().get() == model) {
        models.pop_back();
    }
}

}  // namespace

lmt::Widget* guiWidget(int32_t handle) { return library().widget(handle); }

int32_t guiInit(int32_t opaque, int32_t screen, int32_t width, int32_t height) {
    GuiLibrary& lib = library();
    lib.tearDown();
    lmt::useRuntimeOutput();
    lmt::RuntimeCommands& runtime = lmt::runtimeCommands();

    if (width < 0 || height < 0) {
        int32_t screenWidth = 0;
        int32_t screenHeight = 0;
        runtime.getScreenSize(screenWidth, screenHeight);
        if (width <= 0) width = screenWidth;
        if (height <= 0) height = screenHeight;
    }
    if (screen >= 0) {
        const int32_t sprite = runtime.firstFreeSprite();
        if (sprite < 0) {
            return 0;
        }
        // A render target that cannot be made leaves nothing to draw into.
        if (!runtime.createRenderTarget(screen, sprite, width, height)) {
            return 0;
        }
        lib.guiSprite = sprite;
    }

    lib.imageLoader = std::make_unique<lmt::KorvaneImageLoader>();
    lmt::Image::setImageLoader(lib.imageLoader.get());
    lib.graphics = std::make_unique<lmt::KorvaneGraphics>();
    lib.graphics->setTarget(screen, width, height);
    lib.gui = std::make_unique<lmt::Gui>();
    lib.gui->setGraphics(lib.graphics.get());
    lib.input = std::make_unique<lmt::KorvaneInput>();
    lib.gui->setInput(lib.input.get());
    lib.top = std::make_unique<lmt::Container>(opaque != 0);
    lib.top->setDimension(lmt::Rectangle(0, 0, width, height));
    lib.gui->setTop(lib.top.get());
    return 1;
}

void guiRelease() {
    GuiLibrary*& instance = libraryInstance();
    if (instance == nullptr) {
        return;
    }
    instance->tearDown();
    delete instance;
    instance = nullptr;
}

int32_t guiSetFont(const RtString& fileName) {
    GuiLibrary& lib = library();
    if (lib.gui == nullptr) {
        return 0;
    }
    lib.font = std::make_unique<lmt::KorvaneFont>(fileName);
    lmt::Widget::setGlobalFont(lib.font.get());
    return 1;
}

int32_t guiUpdate() {
    GuiLibrary& lib = library();
    if (lib.gui == nullptr) {
        debugPrint(RtString("GUI = NULL\n"));
        return 0;
    }
    lib.gui->logic();
    lib.gui->draw();
    if (lib.guiSprite >= 0) {
        lmt::runtimeCommands().drawSprite(lib.guiSprite, 0, 0);
    }
    return 1;
}

int32_t guiCreateLabel(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t mode) {
    return place(std::make_unique<lmt::Label>(caption), parent, x, y, mode);
}

int32_t guiCreateImage(int32_t parent, int32_t x, int32_t y, const RtString& fileName, int32_t mode) {
    return place(std::make_unique<lmt::Icon>(fileName), parent, x, y, mode);
}

int32_t guiCreateButton(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t isImage,
                        int32_t mode) {
    std::unique_ptr<lmt::Widget> button;
    if (isImage != 0) {
        button = std::make_unique<lmt::ImageButton>(caption);
    } else {
        button = std::make_unique<lmt::Button>(caption);
    }
    return place(std::move(button), parent, x, y, mode, true);
}

int32_t guiCreateTextField(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t mode) {
    return place(std::make_unique<lmt::TextField>(text), parent, x, y, mode);
}

int32_t guiCreateCheckBox(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t selected,
                          int32_t mode) {
    auto box = std::make_unique<lmt::CheckBox>(caption, false);
    box->setSelected(selected != 0);
    return place(std::move(box), parent, x, y, mode, true);
}

int32_t guiCreateRadioButton(int32_t parent, int32_t x, int32_t y, const RtString& group, const RtString& caption,
                             int32_t selected, int32_t mode) {
    return place(std::make_unique<lmt::RadioButton>(caption, group, selected != 0), parent, x, y, mode);
}

int32_t guiCreateSlider(int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height, double scaleStart,
                        double scaleEnd, int32_t horizontal, int32_t mode) {
    auto slider = std::make_unique<lmt::Slider>(scaleStart, scaleEnd);
    slider->setOrientation(horizontal != 0 ? 0 : 1);
    slider->setSize(width, height);
    return place(std::move(slider), parent, x, y, mode);
}

int32_t guiCreateDropDown(int32_t parent, int32_t x, int32_t y, const RtString& items, int32_t mode) {
    KorvaneListModel* model = makeModel(items);
    const int32_t handle = place(std::make_unique<lmt::DropDown>(model), parent, x, y, mode);
    if (handle == 0) {
        dropModel(model);
    }
    return handle;
}

int32_t guiCreateListBox(int32_t parent, int32_t x, int32_t y, int32_t frame, const RtString& items, int32_t mode) {
    KorvaneListModel* model = makeModel(items);
    auto list = std::make_unique<lmt::ListBox>(model);
    list->setFrameSize(uint32_t(frame < 1 ? 1 : frame));
    const bool intoTop = !intoParent(mode);
    if (intoTop) {
        debugPrint(RtString("Listbox to be added\n"));
    }
    const int32_t handle = place(std::move(list), parent, x, y, mode);
    if (handle == 0) {
        dropModel(model);
    } else if (intoTop) {
        debugPrint(RtString("Listbox added\n"));
    }
    return handle;
}

namespace {

int32_t createTextBox(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t size,
                      bool handOutScrollArea) {
    auto* container = widgetAs<lmt::Container>(parent);
    if (container == nullptr) {
        return 0;
    }
    GuiLibrary& lib = library();
    auto box = std::make_unique<lmt::TextBox>(text);
    auto area = std::make_unique<lmt::ScrollArea>(box.get());
    area->setSize(size, size);
    lmt::ScrollArea* areaRaw = area.get();
    const int32_t boxHandle = lib.keep(std::move(box));
    const int32_t areaHandle = lib.keep(std::move(area));
    container->add(areaRaw, x, y);
    return handOutScrollArea ? areaHandle : boxHandle;
}

}  // namespace

int32_t guiCreateTextBox(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t) {
    return createTextBox(parent, x, y, text, 64, false);
}

int32_t guiCreateTextBoxSmall(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t) {
    return createTextBox(parent, x, y, text, 48, true);
}

int32_t guiCreateWindow(int32_t x, int32_t y, const RtString& caption, int32_t width, int32_t height) {
    GuiLibrary& lib = library();
    if (lib.top == nullptr) {
        return 0;
    }
    return place(std::make_unique<lmt::Window>(caption, width, height), 0, x, y, -1);
}

int32_t guiSetWindowSize(int32_t window, int32_t type, int32_t width, int32_t height) {
    auto* target = widgetAs<lmt::Window>(window);
    if (type != 1 || target == nullptr) {
        return 0;
    }
    if (width < 0 || height < 0) {
        target->resizeToContent();
    } else {
        target->setSize(width, height);
    }
    return 0;
}

int32_t guiToFront(int32_t widget) {
    lmt::Widget* target = guiWidget(widget);
    if (target == nullptr || library().top == nullptr) {
        return 0;
    }
    library().top->moveToTop(target);
    return 1;
}

int32_t guiCreateTabbedArea(int32_t width, int32_t height) {
    auto area = std::make_unique<lmt::TabbedArea>();
    area->setSize(width, height);
    return library().keep(std::move(area));
}

int32_t guiAddTab(int32_t tabbedArea, int32_t widget, const RtString& caption, int32_t type) {
    lmt::Widget* content = guiWidget(widget);
    if (content == nullptr) {
        return 0;
    }
    auto* area = widgetAs<lmt::TabbedArea>(tabbedArea);
    if ((type == 3 || type == 4) && area != nullptr) {
        area->addTab(caption, content);
    }
    return 1;
}

int32_t guiPlaceTabbedArea(int32_t parent, int32_t tabbedArea, int32_t x, int32_t y, int32_t mode) {
    GuiLibrary& lib = library();
    lmt::Widget* area = widgetAs<lmt::TabbedArea>(tabbedArea);
    if (area == nullptr) {
        return 0;
    }
    auto* container = widgetAs<lmt::Container>(parent);
    if (mode == 0) {
        if (container != nullptr) {
            container->add(area, x, y);
        }
    } else if (mode == 1) {
        if (container != nullptr) {
            debugPrint(RtString("Adding tab to window\n"));
            container->add(area, x, y);
            debugPrint(RtString("Adding done\n"));
        }
    } else if (lib.top != nullptr) {
        lib.top->add(area, x, y);
        debugPrint(RtString("Added tab\n"));
    }
    return 0;
}

int32_t guiSetCaption(int32_t widget, int32_t type, const RtString& text, int32_t adjust) {
    if (type == 2) {
        if (auto* label = widgetAs<lmt::Label>(widget)) {
            label->setCaption(text);
            if (adjust != 0) label->adjustSize();
            return 1;
        }
    } else if (type == 4) {
        if (auto* box = widgetAs<lmt::CheckBox>(widget)) {
            box->setCaption(text);
            if (adjust != 0) box->adjustSize();
        }
    }
    return 0;
}

int32_t guiSetPosition(int32_t widget, int32_t type, int32_t x, int32_t y) {
    lmt::Widget* target = guiWidget(widget);
    if (target == nullptr) {
        return 0;
    }
    if (type == 0) {
        if (library().top == nullptr) return 0;
        library().top->setPosition(x, y);
        return 1;
    }
    if (type == 1 || type == 2) {
        target->setPosition(x, y);
        return 1;
    }
    return 0;
}

int32_t guiIsPressed(int32_t button) {
    auto* target = widgetAs<lmt::Button>(button);
    return target != nullptr && target->isPressed() ? 1 : 0;
}

int32_t guiIsChecked(int32_t checkBox) {
    auto* target = widgetAs<lmt::CheckBox>(checkBox);
    return target != nullptr && target->isSelected() ? 1 : 0;
}

double guiGetSliderValue(int32_t slider) {
    auto* target = widgetAs<lmt::Slider>(slider);
    return target != nullptr ? target->getValue() : 0.0;
}

int32_t guiRemove(int32_t widget, int32_t mode) {
    lmt::Widget* target = guiWidget(widget);
    if (target == nullptr || mode != 1 || library().top == nullptr) {
        return 0;
    }
    library().top->remove(target);
    return 1;
}
