// Support code of the JSON document, added to its script engine once at start.
//
// get__count(c): the number of members of c. Every for-in loop also meets the two
// members that this file adds to Object.prototype (toJSONString and parseJSON), so the
// counter starts at -2.
function get__count(c) {
  var n = -2;
  for (var v in c) n++;
  return n;
}

// is__array(v): whether v is an array (this engine's arrays have no map method to tell
// them by).
function is__array(v) {
  return Object.prototype.toString.apply(v) === '[object Array]';
}

// get__rows(v, most, names): the first get__count(v) elements of v (at most `most`), each as
// the texts of its members named in names, in one text: every cell is its length, ":" and
// its text. Strings stay as they are, numbers become their text, anything else is empty.
function get__rows(v, most, names) {
  var out = [], n = v == null ? 0 : get__count(v), i, j, e, c;
  if (n > most) n = most;
  for (i = 0; i < n; i++) {
    e = v[i];
    for (j = 0; j < names.length; j++) {
      c = e == null ? null : e[names[j]];
      c = typeof c === 'string' ? c : typeof c === 'number' ? String(c) : '';
      out.push(c.length + ':' + c);
    }
  }
  return out.join('');
}

// JSON.stringify and JSON.parse for engines without a JSON object of their own.
if (typeof JSON === 'undefined') {
  JSON = (function () {
    var escapes = { '"': '\\"', '\\': '\\\\', '\b': '\\b', '\f': '\\f', '\n': '\\n', '\r': '\\r', '\t': '\\t' };
    var unescapes = { '"': '"', '\\': '\\', '/': '/', b: '\b', f: '\f', n: '\n', r: '\r', t: '\t' };

    function hex4(code) {
      var h = code.toString(16);
      return '\\u' + '0000'.substring(h.length) + h;
    }

    // A string literal; control characters and the two line separators are escaped so
    // the result is also a valid script literal.
    function quote(s) {
      return '"' + s.replace(/["\\\u0000-\u001f\u2028\u2029]/g, function (c) {
        return Object.prototype.hasOwnProperty.call(escapes, c) ? escapes[c] : hex4(c.charCodeAt(0));
      }) + '"';
    }

    function serialize(key, holder, replacer, indent, gap) {
      var value = holder[key], inner, parts, i, k, v;
      if (value && typeof value === 'object' && typeof value.toJSON === 'function') value = value.toJSON(key);
      if (typeof replacer === 'function') value = replacer.call(holder, key, value);
      switch (typeof value) {
        case 'string':
          return quote(value);
        case 'number':
          return isFinite(value) ? String(value) : 'null';
        case 'boolean':
          return String(value);
        case 'object':
          if (!value) return 'null';
          inner = indent + gap;
          parts = [];
          if (is__array(value)) {
            for (i = 0; i < value.length; i++) {
              v = serialize(i, value, replacer, inner, gap);
              parts.push(v === undefined ? 'null' : v);
            }
            if (!parts.length) return '[]';
            return gap ? '[\n' + inner + parts.join(',\n' + inner) + '\n' + indent + ']' : '[' + parts.join(',') + ']';
          }
          for (k in value) {
            if (Object.prototype.hasOwnProperty.call(value, k)) {
              v = serialize(k, value, replacer, inner, gap);
              if (v !== undefined) parts.push(quote(k) + (gap ? ': ' : ':') + v);
            }
          }
          if (!parts.length) return '{}';
          return gap ? '{\n' + inner + parts.join(',\n' + inner) + '\n' + indent + '}' : '{' + parts.join(',') + '}';
      }
      return undefined;  // functions and undefined have no JSON form
    }

    function stringify(value, replacer, space) {
      var gap = '';
      if (typeof space === 'number') {
        for (var i = 0; i < space && i < 10; i++) gap += ' ';
      } else if (typeof space === 'string') {
        gap = space.substring(0, 10);
      }
      return serialize('', { '': value }, replacer, '', gap);
    }

    // A strict reader: anything but exactly one JSON value throws a SyntaxError.
    function parse(text, reviver) {
      var s = String(text), i = 0;
      var numberPattern = /-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?/g;

      function fail() { throw new SyntaxError('JSON.parse: bad JSON text at ' + i); }
      function white() {
        var c;
        while (i < s.length && ((c = s.charAt(i)) === ' ' || c === '\t' || c === '\n' || c === '\r')) i++;
      }
      function string() {
        var out = '', c, h;
        i++;
        for (;;) {
          if (i >= s.length) fail();
          c = s.charAt(i++);
          if (c === '"') return out;
          if (c === '\\') {
            c = s.charAt(i++);
            if (c === 'u') {
              h = s.substring(i, i + 4);
              if (!/^[0-9a-fA-F]{4}$/.test(h)) fail();
              out += String.fromCharCode(parseInt(h, 16));
              i += 4;
            } else if (c && Object.prototype.hasOwnProperty.call(unescapes, c)) {
              out += unescapes[c];
            } else {
              fail();
            }
          } else if (c < ' ') {
            fail();
          } else {
            out += c;
          }
        }
      }
      function number() {
        numberPattern.lastIndex = i;
        var m = numberPattern.exec(s);
        if (!m || m.index !== i || !m[0]) fail();
        i += m[0].length;
        return +m[0];
      }
      function word(w, v) {
        if (s.substring(i, i + w.length) !== w) fail();
        i += w.length;
        return v;
      }
      function value(depth) {
        var c, arr, obj, k;
        if (depth > 500) fail();
        white();
        c = s.charAt(i);
        if (c === '{') {
          i++;
          obj = {};
          white();
          if (s.charAt(i) === '}') { i++; return obj; }
          for (;;) {
            white();
            if (s.charAt(i) !== '"') fail();
            k = string();
            white();
            if (s.charAt(i++) !== ':') fail();
            obj[k] = value(depth + 1);
            white();
            c = s.charAt(i++);
            if (c === '}') return obj;
            if (c !== ',') fail();
          }
        }
        if (c === '[') {
          i++;
          arr = [];
          white();
          if (s.charAt(i) === ']') { i++; return arr; }
          for (;;) {
            arr.push(value(depth + 1));
            white();
            c = s.charAt(i++);
            if (c === ']') return arr;
            if (c !== ',') fail();
          }
        }
        if (c === '"') return string();
        if (c === '-' || (c >= '0' && c <= '9')) return number();
        if (c === 't') return word('true', true);
        if (c === 'f') return word('false', false);
        if (c === 'n') return word('null', null);
        fail();
      }
      function revive(holder, key) {
        var k, v, val = holder[key];
        if (val && typeof val === 'object') {
          for (k in val) {
            if (Object.prototype.hasOwnProperty.call(val, k)) {
              v = revive(val, k);
              if (v !== undefined) val[k] = v; else delete val[k];
            }
          }
        }
        return reviver.call(holder, key, val);
      }

      var result = value(0);
      white();
      if (i < s.length) fail();
      return typeof reviver === 'function' ? revive({ '': result }, '') : result;
    }

    return { stringify: stringify, parse: parse };
  })();
}

function two__digits(n) { return n < 10 ? '0' + n : String(n); }

Date.prototype.toJSON = function () {
  return isFinite(this.valueOf())
      ? this.getUTCFullYear() + '-' + two__digits(this.getUTCMonth() + 1) + '-' + two__digits(this.getUTCDate()) +
        'T' + two__digits(this.getUTCHours()) + ':' + two__digits(this.getUTCMinutes()) + ':' +
        two__digits(this.getUTCSeconds()) + 'Z'
      : null;
};
String.prototype.toJSON = Number.prototype.toJSON = Boolean.prototype.toJSON = function () {
  return this.valueOf();
};

// Every object can write itself as JSON text and read a JSON text of its own string form.
Object.prototype.toJSONString = function (replacer, space) { return JSON.stringify(this, replacer, space); };
Object.prototype.parseJSON = function (reviver) { return JSON.parse(String(this), reviver); };
