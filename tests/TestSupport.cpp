#include "TestSupport.hpp"

#include "files/TextCodec.hpp"

#include <SFML/Graphics/Texture.hpp>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

fs::path enterScratchFolder()
{
    std::random_device seed;
    const fs::path folder = fs::temp_directory_path() / ("quillmere-test-" + std::to_string(getpid()) + "-" + std::to_string(seed()));
    fs::create_directories(folder / "user");
    fs::copy(fs::path(QUILLMERE_SOURCE_DIR) / "res", folder / "res", fs::copy_options::recursive);
    fs::copy_file(fs::path(QUILLMERE_SOURCE_DIR) / "user" / "empty.html", folder / "user" / "empty.html");
    fs::current_path(folder);
    return folder;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::optional<std::string> sampleScreenplay(const std::string& fileName)
{
    const fs::path path = fs::path(QUILLMERE_SCREENPLAYS) / fileName;
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    return readBytes(path);
}

Script sampleLines(const std::string& fileName)
{
    Script script;
    std::istringstream in(sampleScreenplay(fileName).value_or(std::string()));
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            script.paragraphs.push_back({script.paragraphs.size() % 2 ? Speech : Directorial, singleLine(fromUtf8(line))});
    return script;
}

Paragraph marked(DivType kind, const char32_t* text)
{
    std::u32string marks(text);
    Paragraph paragraph{kind, sf::String()};
    if (marks.size() >= 2 && marks.compare(marks.size() - 2, 2, U" ^") == 0) {
        paragraph.dual = true;
        marks.resize(marks.size() - 2);
    }
    std::uint8_t style = Plain;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        static const std::pair<const char32_t*, std::uint8_t> tags[] = {{U"b>", Bold}, {U"i>", Italic}, {U"u>", Underline}};
        bool tag = false;
        for (const auto& [name, bit] : tags) {
            const bool closing = marks.compare(i, 2, U"</") == 0 && marks.compare(i + 2, 2, name) == 0;
            if (closing || (marks[i] == '<' && marks.compare(i + 1, 2, name) == 0)) {
                style = static_cast<std::uint8_t>(closing ? style & ~bit : style | bit);
                i += closing ? 3 : 2;
                tag = true;
                break;
            }
        }
        if (!tag)
            insertText(paragraph, paragraph.text.getSize(), sf::String(static_cast<sf::Uint32>(marks[i])), style);
    }
    return paragraph;
}

sf::Image captureFrame(App& app)
{
    sf::Texture texture;
    texture.create(app.window().getSize().x, app.window().getSize().y);
    texture.update(app.window());
    return texture.copyToImage();
}

namespace ev {
sf::Event keyPressed(sf::Keyboard::Key key)
{
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    return event;
}

sf::Event keyReleased(sf::Keyboard::Key key)
{
    sf::Event event = keyPressed(key);
    event.type = sf::Event::KeyReleased;
    return event;
}

sf::Event textEntered(sf::Uint32 code)
{
    sf::Event event{};
    event.type = sf::Event::TextEntered;
    event.text.unicode = code;
    return event;
}

static sf::Event button(sf::Event::EventType type, int x, int y, sf::Mouse::Button which)
{
    sf::Event event{};
    event.type = type;
    event.mouseButton = {which, x, y};
    return event;
}

sf::Event pressed(int x, int y, sf::Mouse::Button which) { return button(sf::Event::MouseButtonPressed, x, y, which); }
sf::Event released(int x, int y, sf::Mouse::Button which) { return button(sf::Event::MouseButtonReleased, x, y, which); }

sf::Event moved(int x, int y)
{
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    event.mouseMove = {x, y};
    return event;
}

sf::Event wheel(float delta, int x, int y)
{
    sf::Event event{};
    event.type = sf::Event::MouseWheelScrolled;
    event.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, x, y};
    return event;
}

sf::Event resized(unsigned width, unsigned height)
{
    sf::Event event{};
    event.type = sf::Event::Resized;
    event.size = {width, height};
    return event;
}

sf::Event closed()
{
    sf::Event event{};
    event.type = sf::Event::Closed;
    return event;
}
} // namespace ev

bool makeReadOnly(const fs::path& folder)
{
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    auto writable = [&] {
        const fs::path probe = folder / "probe";
        writeBytes(probe, "x");
        const bool wrote = fs::exists(probe);
        fs::remove(probe);
        return wrote;
    };
    if (!writable())
        return true;
    return std::system(("chattr +i '" + folder.string() + "' 2>/dev/null").c_str()) == 0 && !writable();
}

void makeWritable(const fs::path& folder)
{
    std::system(("chattr -i '" + folder.string() + "' 2>/dev/null").c_str());
    fs::permissions(folder, fs::perms::owner_all);
}

std::string minimalPdf()
{
    std::string pdf = "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                      "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                      "3 0 obj<</Type /Page/Parent 2 0 R/MediaBox[0 0 612 792]>>endobj\n";
    const std::size_t table = pdf.size();
    pdf += "xref\n0 4\n0000000000 65535 f \n0000000009 00000 n \n0000000053 00000 n \n0000000102 00000 n \n"
           "trailer<</Size 4/Root 1 0 R>>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    return pdf;
}

Platform FakeDesktop::platform()
{
    Platform fake;
    fake.askSaveTarget = [this](const std::string& name) {
        askedNames.push_back(name);
        return choice;
    };
    fake.askOverwrite = [this](const std::string& existing) {
        ++overwriteQuestions;
        asked.push_back(existing);
        return overwrite;
    };
    fake.startProgram = [this](const std::vector<std::string>& argv) -> std::unique_ptr<RunningProgram> {
        runs.push_back(argv);
        if (!output.empty())
            writeBytes(argv.back(), output);
        return std::make_unique<FinishedProgram>(exitStatus);
    };
    return fake;
}

void AppTest::SetUp()
{
    folder = enterScratchFolder();
    app = std::make_unique<App>(desktop.platform());
    app->fileList().setOpen(false);
}

void AppTest::TearDown()
{
    app.reset();
    std::error_code error;
    fs::current_path(fs::temp_directory_path(), error);
    fs::remove_all(folder, error);
}

void AppTest::type(const std::string& utf8)
{
    const sf::String text = fromUtf8(utf8);
    for (const sf::Uint32 c : text) {
        send(ev::keyPressed(sf::Keyboard::Unknown));
        send(ev::textEntered(c));
    }
}

void AppTest::load(std::vector<Paragraph> paragraphs)
{
    Script script = app->script();
    script.paragraphs = std::move(paragraphs);
    app->load(std::move(script));
}

void AppTest::setText(const sf::String& text)
{
    const std::uint32_t at = page().current();
    const bool focused = page().focused();
    Script script = app->script();
    script.paragraphs[at].text = text;
    app->load(std::move(script));
    page().placeCaret({at, static_cast<std::uint32_t>(text.getSize())});
    if (!focused)
        page().unfocus();
}

void AppTest::holdControl(bool held)
{
    send(held ? ev::keyPressed(sf::Keyboard::LControl) : ev::keyReleased(sf::Keyboard::LControl));
}

void AppTest::control(sf::Keyboard::Key code)
{
    holdControl(true);
    key(code);
    holdControl(false);
}

void AppTest::click(int x, int y)
{
    send(ev::pressed(x, y));
    send(ev::released(x, y));
}
