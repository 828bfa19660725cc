#pragma once
// What GS1's syntax dictionary says of a Digital Link URI's keys: which AIs are
// primary keys, the paths of key qualifiers each allows, and the lists that
// messages name them with; the convenience alphas of old URIs.
#include <string>
#include <vector>

#include "symbol/SyntaxDictionary.h"

namespace velmora::symbol {

// The entry of `ai` when it is a GS1 Digital Link primary key, else nullptr.
const AiSyntax* PrimaryKeySyntax(const std::string& ai, const SyntaxDictionary& dictionary);

// Every path a URI may give `key` with its qualifiers, in the orders the
// dictionary's dlpkey= allows, any of them left out; none for an AI that is no key.
std::vector<std::vector<std::string>> KeyPaths(const std::string& key, const SyntaxDictionary& dictionary);

// "(22), (10)" from the AIs of `ais` from `first` on.
std::string AiList(const std::vector<std::string>& ais, std::size_t first = 0);

// "22, 10, 21 or 235": the qualifier orders of a primary key; "no qualifiers".
std::string QualifierOrders(const std::string& key, const SyntaxDictionary& dictionary);

// "(00), (01), (253), ...": every primary key of the dictionary.
std::string PrimaryKeyList(const SyntaxDictionary& dictionary);

}  // namespace velmora::symbol
