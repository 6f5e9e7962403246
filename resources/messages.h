/* The messages of the expression language: the one place where each text is
   written. The Windows string table (strings.rc) and the Linux message loader
   both expand this list, so the two builds show the same bytes.

   Written for both the C++ compiler and windres' preprocessor: plain macros
   only. A double quote inside a text is written \x22, because windres does
   not accept \" and C++ does not accept "". */
#ifndef ZORVA_RESOURCES_MESSAGES_H
#define ZORVA_RESOURCES_MESSAGES_H

/* X(id, name, text). Texts 6, 7 and 15 end in a blank or ": " so that the
   detail appended to them reads as part of the sentence. */
#define ZORVA_MESSAGE_LIST(X)                                              \
  X(3, kMsgNoDescriptor, "Internal Error: Need to define an ntd!")         \
  X(4, kMsgLeftParenExpected, "Left parenthesis expected")                 \
  X(5, kMsgRightParenExpected, "Right parenthesis expected")               \
  X(6, kMsgArgumentCount, "Incorrect number of arguments to function ")    \
  X(7, kMsgUnknownIdentifier, "Unknown identifier: ")                      \
  X(8, kMsgCommaExpected, "Comma Expected")                                \
  X(9, kMsgRightBracketExpected, "Right bracket expected")                 \
  X(10, kMsgRightBraceExpected, "Right brace expected")                    \
  X(11, kMsgUnknownThang, "Unknown thang")                                 \
  X(12, kMsgColonExpected, "Colon expected")                               \
  X(13, kMsgNotComplete, "Expression not complete")                        \
  X(14, kMsgIdentifierTooLong, "Identifier too long")                      \
  X(15, kMsgUnknownCharacter, "Unknown character: ")                       \
  X(16, kMsgTooManySymbols, "INTERNAL ERROR: Too many symbols")            \
  X(21, kMsgNoCodeTemplate, "INTERNAL ERROR:  Need to define a COD")       \
  X(25, kMsgMixedColorModels, "You cannot mix RGB with HSL color models.") \
  X(26, kMsgStringTooLong, "String too long")                              \
  X(27, kMsgMissingQuote, "Missing \x22 at end of string")                 \
  X(28, kMsgNestedTooDeeply, "Expression nested too deeply")

#endif
