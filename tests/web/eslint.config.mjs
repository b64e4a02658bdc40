// ESLint for the JavaScript we write: the page (web/), the browser tests
// (tests/web), the browser benchmark (bench/web) and the JavaScript library
// linked into the browser build (src/platform/sdl/web). scripts/lint runs it
// from the top of the tree over every .js and .mjs file git knows:
//   tests/web/node_modules/.bin/eslint --config tests/web/eslint.config.mjs FILE...
import js from '@eslint/js';
import globals from 'globals';

export default [
  // The installed modules are not ours.
  { ignores: ['tests/web/node_modules/'] },
  js.configs.recommended,
  {
    // ES modules throughout (the page loads page.js as type="module").
    languageOptions: { ecmaVersion: 2022, sourceType: 'module' },
  },
  {
    // The page runs in the browser; serve.mjs beside it runs in Node.js.
    files: ['web/**/*.js'],
    languageOptions: { globals: globals.browser },
  },
  {
    // The page's measuring worklet runs in the audio rendering scope.
    files: ['web/sound-probe.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { registerProcessor: 'readonly', AudioWorkletProcessor: 'readonly',
                 currentFrame: 'readonly' },
    },
  },
  {
    // The server, the tests and the benchmark run in Node.js, and the tests
    // hand functions to page.evaluate() that run in the page, so both sets of
    // names are known.
    files: ['**/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
  {
    // Emscripten's linker evaluates its JavaScript libraries as scripts, with
    // its own mergeInto and LibraryManager in scope.
    files: ['src/**/*.js'],
    languageOptions: {
      sourceType: 'script',
      globals: { mergeInto: 'readonly', LibraryManager: 'readonly' },
    },
  },
];
