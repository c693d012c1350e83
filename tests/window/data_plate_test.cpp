// The data plate: rows taken from the form as it shows them, the floors text cleaned, the marks,
// and the three writings (sheet, tab-separated text, CSV) with their expected texts by hand.
#include "window/data_plate.h"
#include "window/frmvelkora.h"
#include "window/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velkora;

namespace {

struct Shown
{
    std::string title, text;
};

// A form after Form_Load whose message boxes are recorded.
struct Form
{
    explicit Form(const Language &language = english())
        : form(language)
    {
        form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon) {
            shown.push_back({ title, text });
        };
        form.Form_Load();
    }
    // Types a width and a weight on the road the form is on, chooses a door type by its access
    // key and presses Enter.
    void calculate(const std::string &width, const std::string &weight, char doorKey = 'S')
    {
        TextBox &widthBox = form.blnImperial ? form.txtWidth : form.txtWidthMetric;
        TextBox &weightBox = form.blnImperial ? form.txtWeight : form.txtWeightMetric;
        widthBox.edit(width);
        weightBox.edit(weight);
        form.pressAccessKey(doorKey);
        form.pressEnter();
    }
    frmVelkora form;
    std::vector<Shown> shown;
};

const std::string header
    = "Floors\tDoor type\tWidth (in)\tWidth (mm)\tWeight (lb)\tWeight (kg)\tClose time (s)\t"
      "Nudging time (s)\n";

} // namespace

TEST(DataPlate, TakesEachRowFromTheFormAsItShowsItOnEitherRoad)
{
    Form f;
    DataPlate plate;
    f.calculate("42", "400");
    EXPECT_EQ(plate.add(f.form), PlateAdd::Added);
    f.form.pressAccessKey('M');
    f.calculate("1066.8", "90", 'C');
    EXPECT_EQ(plate.add(f.form), PlateAdd::Added);
    plate.setFloors(1, "L");
    EXPECT_EQ(plateText(plate, english()),
        header
            + "\tSide Opening Single Speed\t42\t1066.8\t400\t181.437\t2.98\t4.97\n"
              "L\tCenter Opening Single Speed\t42\t1066.8\t198.416\t90\t1.05\t1.75\n");
}

TEST(DataPlate, NoRowWithoutResultsNorPastItsMost)
{
    Form f;
    DataPlate plate;
    addToDataPlate(f.form, plate);
    f.calculate("42", "400");
    f.form.txtWeight.edit("401"); // an edit empties the results
    addToDataPlate(f.form, plate);
    EXPECT_TRUE(plate.rows().empty());
    ASSERT_EQ(f.shown.size(), 2u);
    EXPECT_EQ(f.shown[0].title, "Data Plate");
    EXPECT_EQ(f.shown[0].text, "Calculate first: the data plate takes the times the form shows.");

    f.calculate("42", "400");
    for (std::size_t row = 0; row < plateRowsMax; ++row)
        addToDataPlate(f.form, plate);
    EXPECT_EQ(f.shown.size(), 2u);
    addToDataPlate(f.form, plate);
    EXPECT_EQ(plate.rows().size(), plateRowsMax);
    ASSERT_EQ(f.shown.size(), 3u);
    EXPECT_EQ(
        f.shown[2].text, "The data plate holds 100 rows, its most. Remove a row to add another.");
}

struct FloorsCase
{
    const char *name;
    std::string typed;
    std::string kept;
};

class CleanFloors : public testing::TestWithParam<FloorsCase>
{
};

TEST_P(CleanFloors, OneLineOfFortyCharactersAtMost)
{
    EXPECT_EQ(cleanFloors(GetParam().typed), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Texts, CleanFloors,
    testing::Values(FloorsCase { "range", "1–12", "1–12" }, FloorsCase { "tab", "L\tB2", "LB2" },
        FloorsCase { "line_breaks", "1\r\n2\n3", "123" },
        FloorsCase { "escape_and_delete",
            "B\x1b[2J\x7f"
            "1",
            "B[2J1" },
        FloorsCase { "c1_control_and_separators",
            "A\xc2\x85"
            "B\xe2\x80\xa8"
            "C\xe2\x80\xa9",
            "ABC" },
        FloorsCase { "invalid_utf8",
            "\xff"
            "1\xc3",
            "1" },
        FloorsCase { "three_hundred_letters", std::string(300, 'x'), std::string(40, 'x') },
        FloorsCase { "forty_one_accented",
            [] {
                std::string text;
                for (int i = 0; i < 41; ++i)
                    text += "é";
                return text;
            }(),
            [] {
                std::string text;
                for (int i = 0; i < 40; ++i)
                    text += "é";
                return text;
            }() }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DataPlate, RowsMoveAndGoWithinTheirEnds)
{
    Form f;
    DataPlate plate;
    f.calculate("42", "400");
    for (const char *floors : { "1", "2", "3" }) {
        plate.add(f.form);
        plate.setFloors(plate.rows().size() - 1, floors);
    }
    plate.move(0, -1);
    plate.move(2, 1);
    plate.move(0, 1);
    plate.remove(7);
    plate.remove(2);
    std::string order;
    for (const PlateRow &row : plate.rows())
        order += row.floors;
    EXPECT_EQ(order, "21");
}

TEST(DataPlate, ARowOfAnotherDoorTypeOrWidthIsMarkedOnTheSheet)
{
    Form f;
    DataPlate plate;
    f.calculate("42", "400");
    plate.add(f.form);
    f.calculate("42.0", "900"); // the same width, written otherwise
    plate.add(f.form);
    f.calculate("48", "400");
    plate.add(f.form);
    f.calculate("42", "400", 'T');
    plate.add(f.form);
    EXPECT_EQ((std::vector<bool> { plate.differsFromFirst(0), plate.differsFromFirst(1),
                  plate.differsFromFirst(2), plate.differsFromFirst(3) }),
        (std::vector<bool> { false, false, true, true }));

    const PlateSheet sheet = plateSheet(plate, english(), "2026-12-11");
    EXPECT_EQ(
        sheet.car, "Door type: Side Opening Single Speed. Entrance width: 42 in (1066.8 mm).");
    EXPECT_EQ(sheet.rows[2][0], " *");
    EXPECT_EQ(sheet.rows[1][6], "4.47");
    EXPECT_EQ(sheet.note,
        "* Door type or entrance width differs from the first row: one car has one entrance.");
    EXPECT_EQ(sheet.made.substr(0, 20), "2026-12-11, Velkora ");

    plate.remove(3);
    plate.remove(2);
    EXPECT_EQ(plateSheet(plate, english(), "2026-12-11").note, "");
}

TEST(DataPlate, TheNarrowSheetHoldsEveryNumber)
{
    Form f;
    DataPlate plate;
    f.calculate("42", "400");
    plate.add(f.form);
    plate.setFloors(0, "1–12");
    const std::vector<std::string> lines = narrowSheet(plateSheet(plate, english(), "2026-12-11"));
    const std::vector<std::string> block(lines.begin() + 3, lines.begin() + 8);
    EXPECT_EQ(block,
        (std::vector<std::string> { "Floors: 1–12", "Width (in): 42 (1066.8 mm)",
            "Weight (lb): 400 (181.437 kg)", "Close time (s): 2.98", "Nudging time (s): 4.97" }));
}

TEST(DataPlate, CsvFollowsRfc4180AndRunsNoFormula)
{
    Form f;
    DataPlate plate;
    f.calculate("42", "400");
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "=HYPERLINK(\"http://x.example\",\"go\")",
            "\"'=HYPERLINK(\"\"http://x.example\"\",\"\"go\"\")\"" },
        { "+1", "'+1" },
        { "-2", "-2" },
        { "-B2", "'-B2" },
        { "+B2", "'+B2" },
        { "@SUM(A1)", "'@SUM(A1)" },
        { "1, 2", "\"1, 2\"" },
        { "say \"L\"", "\"say \"\"L\"\"\"" },
    };
    for (const auto &[typed, written] : cases) {
        plate.add(f.form);
        plate.setFloors(plate.rows().size() - 1, typed);
    }
    std::string expected
        = "Floors,Door type,Width (in),Width (mm),Weight (lb),Weight (kg),Close time (s),"
          "Nudging time (s)\r\n";
    for (const auto &[typed, written] : cases)
        expected += written + ",Side Opening Single Speed,42,1066.8,400,181.437,2.98,4.97\r\n";
    EXPECT_EQ(plateCsv(plate, english()), expected);
}

TEST(DataPlate, TheSheetAndTheTextInTheFormsLanguage)
{
    Form f(languages()[1]);
    ASSERT_EQ(languages()[1].code, "fr");
    DataPlate plate;
    f.calculate("42", "400", 'L');
    addToDataPlate(f.form, plate);
    const PlateSheet sheet = plateSheet(plate, languages()[1], "2026-12-11");
    EXPECT_EQ(sheet.car,
        "Type de porte\u00a0: Ouverture latérale à\u00a0une\u00a0vitesse. Largeur de "
        "l'entrée\u00a0: 42 po "
        "(1066.8 mm).");
    EXPECT_EQ(plateText(plate, languages()[1]).substr(0, 21), "Étages\tType de porte");
    EXPECT_NE(aboutText(languages()[1]).find("2.6 %"), std::string::npos);
}
