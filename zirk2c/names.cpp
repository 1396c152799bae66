#include "names.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

// C99 and C11, and what C++ would refuse too, since the output is compiled
// as either.
constexpr std::string_view KEYWORDS[] = {
	"_Alignas",
	"_Alignof",
	"_Atomic",
	"_Bool",
	"_Complex",
	"_Generic",
	"_Imaginary",
	"_Noreturn",
	"_Static_assert",
	"_Thread_local",
	"alignas",
	"alignof",
	"and",
	"and_eq",
	"asm",
	"auto",
	"bitand",
	"bitor",
	"bool",
	"break",
	"case",
	"catch",
	"char",
	"char16_t",
	"char32_t",
	"char8_t",
	"class",
	"co_await",
	"co_return",
	"co_yield",
	"compl",
	"concept",
	"const",
	"const_cast",
	"consteval",
	"constexpr",
	"constinit",
	"continue",
	"decltype",
	"default",
	"delete",
	"do",
	"double",
	"dynamic_cast",
	"else",
	"enum",
	"explicit",
	"export",
	"extern",
	"false",
	"float",
	"for",
	"friend",
	"goto",
	"if",
	"inline",
	"int",
	"long",
	"mutable",
	"namespace",
	"new",
	"noexcept",
	"not",
	"not_eq",
	"nullptr",
	"operator",
	"or",
	"or_eq",
	"private",
	"protected",
	"public",
	"register",
	"reinterpret_cast",
	"requires",
	"restrict",
	"return",
	"short",
	"signed",
	"sizeof",
	"static",
	"static_assert",
	"static_cast",
	"struct",
	"switch",
	"template",
	"this",
	"thread_local",
	"throw",
	"true",
	"try",
	"typedef",
	"typeid",
	"typename",
	"union",
	"unsigned",
	"using",
	"virtual",
	"void",
	"volatile",
	"wchar_t",
	"while",
	"xor",
	"xor_eq",
};

// What the written code names besides IDENT: a font array called so would
// clash with it. "main" is no object's name.
constexpr std::string_view TAKEN[] = {
	"NULL", "ZIRKFONT_SECTION", "main", "size_t", "uint8_t", "uint32_t", "zf_charmap",
};

bool is_alpha(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_alnum(char c)
{
	return is_alpha(c) || (c >= '0' && c <= '9');
}

bool is_identifier(std::string_view text)
{
	return !text.empty() && (is_alpha(text[0]) || text[0] == '_') &&
	       std::all_of(text.begin(), text.end(), [](char c) { return is_alnum(c) || c == '_'; });
}

bool is_keyword(std::string_view text)
{
	return std::ranges::find(KEYWORDS, text) != std::end(KEYWORDS);
}

char upper(char c)
{
	return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Each run of other bytes than letters, digits (and, when kept, '_') made
// one '_', none at either end.
std::string squeezed(std::string_view text, bool keep_underscore)
{
	std::string out;
	bool gap = false;
	for (const char c : text) {
		if (is_alnum(c) || (keep_underscore && c == '_')) {
			if (gap && !out.empty())
				out += '_';
			out += c;
			gap = false;
		} else {
			gap = true;
		}
	}
	return out;
}

}  // namespace

std::string name_fault(std::string_view text)
{
	if (!is_identifier(text))
		return "is not a C identifier (a letter or '_', then letters, digits and '_')";
	if (is_keyword(text))
		return "is a C or C++ keyword";
	if (std::ranges::find(TAKEN, text) != std::end(TAKEN) || text.starts_with("zf_") || text.starts_with("ZF_"))
		return "is a name the written code uses already";
	return "";
}

std::string default_name(std::string_view path)
{
	if (path == "-")
		return "fonts";
	std::string_view base = path.substr(path.find_last_of('/') + 1);
	if (const std::size_t dot = base.find_last_of('.'); dot != std::string_view::npos && dot > 0)
		base = base.substr(0, dot);
	std::string name = squeezed(base, true);
	// A leading '_' is the implementation's at file scope.
	name.erase(0, name.find_first_not_of('_'));
	if (name.empty())
		return "fonts";
	if (name[0] >= '0' && name[0] <= '9')
		name.insert(0, "font_");
	if (!name_fault(name).empty())
		name += "_font";
	return name;
}

std::vector<std::string> font_constants(std::string_view ident, const std::vector<std::string> &font_names)
{
	std::string prefix;
	for (const char c : ident)
		prefix += upper(c);
	prefix += "_FONT_";
	std::set<std::string> used;
	std::vector<std::string> constants;
	for (const std::string &name : font_names) {
		std::string base = squeezed(name, false);
		std::transform(base.begin(), base.end(), base.begin(), upper);
		// A name of no letters or digits at all still needs a constant.
		base.insert(0, prefix);
		if (base.size() == prefix.size())
			base += "UNNAMED";
		std::string constant = base;
		for (unsigned n = 2; used.contains(constant); n++)
			constant = base + "_" + std::to_string(n);
		used.insert(constant);
		constants.push_back(constant);
	}
	return constants;
}
