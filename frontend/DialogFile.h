#pragma once
// Reads the two files of a conversation into plain descriptions, without GL
// or sound, for Dialog to build from.
//
// Dialog file, root <Dialog>, every child optional:
//   <Background file="..."/>    full path of the 1024 x 768 background
//   <Sound sfx="..."/>          effect played once when the dialog is built
//   <Characters file="..."/>    the characters file
//   <Reposition><Character id="" x="" y=""/>...</Reposition>
//                               per-dialog place of a character
//   <Sequence> <Enter|Talk|Leave character="" continue="click|timeout"
//              timeout="" textLabel=""/>... </Sequence>
// Characters file, root <Characters>:
//   <Defaults path="folder/"/>  prefix of every animation file
//   <Character id="" name=""> with optional <TextBox x y w h/>,
//     <NameBox x y w h/>, <EntryAnimation file/>, <BeginTalkAnimation file/>,
//     <EndTalkAnimation file/>, <LeaveAnimation file/>
//
// Numbers are read as C atoi reads them (a missing one counts 0). A step's
// "continue" must be "click" (ends on a click) or "timeout" (ends after
// "timeout" ms); any other value leaves the step without a character, ending
// on a click. A step element of another name is kept as an unknown step that
// ends on a click and makes no character act; XML comments are not steps.
// A Reposition entry without "id" is skipped. Names and values compare
// exactly.
#include "engine/core/Types.h"
#include "frontend/DialogStep.h"

#include <string>
#include <vector>

class DialogFile {
public:
    struct Reposition {
        int id = -1;
        int x = 0;
        int y = 0;
    };
    struct Conversation {
        std::string background;
        std::string sound;
        std::string charactersFile;
        std::vector<Reposition> repositions;
        bool hasSequence = false;
        // Text labels set; texts not yet looked up.
        std::vector<DialogStep> steps;
    };
    struct Character {
        int id = -1;
        std::string name;
        bool hasTextBox = false;
        bool hasNameBox = false;
        WidgetGeometry textBox;
        WidgetGeometry nameBox;
        // Default path + "file" for each animation present, else empty.
        std::string entry;
        std::string beginTalk;
        std::string endTalk;
        std::string leave;
    };
    struct Characters {
        std::string defaultPath;
        std::vector<Character> characters;
    };

    // False (one error line, `out` empty) when the file cannot be read or
    // its root is not <Dialog>.
    [[nodiscard]] static bool readConversation(const std::string& path, Conversation& out);
    // The same from text already in memory (`where` names it in errors).
    [[nodiscard]] static bool parseConversation(const std::string& xml, const std::string& where, Conversation& out);
    // False (one error line, `out` empty) when the file cannot be read or
    // its root is not <Characters>.
    [[nodiscard]] static bool readCharacters(const std::string& path, Characters& out);
    [[nodiscard]] static bool parseCharacters(const std::string& xml, const std::string& where, Characters& out);

private:
    DialogFile() = delete;
};
