// The linter of every JavaScript file of the tree: the web page's modules,
// its tests, the bench and the screenshot script.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['build/', 'out/', 'dist/', 'node_modules/'] },
  js.configs.recommended,
  {
    files: ['web/**/*.js'],
    languageOptions: { globals: globals.browser },
  },
  {
    files: ['eslint.config.js'],
    languageOptions: { globals: globals.node },
  },
  // The tests, the bench and the screenshot run under node, and hand some of
  // their functions to the page (or are loaded by it).
  {
    files: ['tests/web/**/*.mjs', 'scripts/*.mjs', 'bench/*.mjs', 'bench/web/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
  {
    rules: {
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
      eqeqeq: 'error',
      'prefer-const': 'error',
    },
  },
];
